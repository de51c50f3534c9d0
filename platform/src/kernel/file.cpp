// Files: CreateFileW, ReadFile, WriteFile, DeleteFileW and MoveFileW on device paths.
// Share modes are honoured between processes with flock(2): an open without sharing takes an
// exclusive lock, an open with sharing a shared one, so a file held without sharing cannot be
// opened, deleted or moved by anyone else.
#include <windows.h>

#include "host/handles.h"
#include "host/host.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileObject : public host::KernelObject {
public:
    FileObject(int fd, bool readable, bool writable) : fd(fd), readable(readable), writable(writable) {}
    ~FileObject() override { ::close(fd); }  // closing the descriptor releases its lock
    const int fd;
    const bool readable;
    const bool writable;
};

DWORD ErrorFromErrno(int err) {
    switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EWOULDBLOCK: return ERROR_SHARING_VIOLATION;
    case ENOSPC: return ERROR_WRITE_FAULT;
    default: return ERROR_ACCESS_DENIED;
    }
}

// A missing file in an existing folder is "file not found", in a missing folder "path not found".
DWORD MissingFileError(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return ERROR_FILE_NOT_FOUND;
    struct stat st;
    return ::stat(path.substr(0, slash).c_str(), &st) == 0 ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

bool Fail(DWORD error) {
    SetLastError(error);
    return false;
}

// Whether no other open of the file holds it; the caller then may delete or rename it.
bool NotHeldOpen(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return Fail(errno == ENOENT ? MissingFileError(path) : ErrorFromErrno(errno));
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const int err = errno;
    ::close(fd);
    return free || Fail(ErrorFromErrno(err));
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES attributes,
                          DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
    (void)attributes;
    (void)flagsAndAttributes;
    (void)templateFile;
    if (host::InjectedFailure("CreateFileW")) { SetLastError(ERROR_ACCESS_DENIED); return INVALID_HANDLE_VALUE; }
    if (!fileName || !*fileName) { SetLastError(ERROR_PATH_NOT_FOUND); return INVALID_HANDLE_VALUE; }

    const bool readable = desiredAccess & GENERIC_READ;
    const bool writable = desiredAccess & GENERIC_WRITE;
    int flags = O_CLOEXEC | (writable ? (readable ? O_RDWR : O_WRONLY) : O_RDONLY);
    switch (creationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: case OPEN_ALWAYS: flags |= O_CREAT; break;
    case OPEN_EXISTING: case TRUNCATE_EXISTING: break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    const bool truncate = creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
    if (truncate && !writable) { SetLastError(ERROR_ACCESS_DENIED); return INVALID_HANDLE_VALUE; }

    const std::string path = host::DevicePathToHost(fileName);
    const bool existed = Exists(path);
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        SetLastError(errno == ENOENT ? MissingFileError(path) : ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    // The lock comes before truncation: a file held by another process stays as it is.
    if (::flock(fd, (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        SetLastError(ErrorFromErrno(err));
        return INVALID_HANDLE_VALUE;
    }
    if (truncate && ::ftruncate(fd, 0) != 0) {
        const int err = errno;
        ::close(fd);
        SetLastError(ErrorFromErrno(err));
        return INVALID_HANDLE_VALUE;
    }
    const bool opensExisting = creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS;
    SetLastError(opensExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return host::NewHandle(std::make_unique<FileObject>(fd, readable, writable));
}

BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped) {
    (void)overlapped;
    if (bytesRead) *bytesRead = 0;
    if (host::InjectedFailure("ReadFile")) return Fail(ERROR_READ_FAULT);
    FileObject* f = host::LookupHandleAs<FileObject>(file);
    if (!f) return Fail(ERROR_INVALID_HANDLE);
    if (!f->readable) return Fail(ERROR_ACCESS_DENIED);
    if (!buffer && bytesToRead) return Fail(ERROR_INVALID_PARAMETER);
    DWORD done = 0;
    while (done < bytesToRead) {
        const ssize_t n = ::read(f->fd, static_cast<char*>(buffer) + done, bytesToRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(ERROR_READ_FAULT);
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    if (bytesRead) *bytesRead = done;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED overlapped) {
    (void)overlapped;
    if (bytesWritten) *bytesWritten = 0;
    if (host::InjectedFailure("WriteFile")) return Fail(ERROR_WRITE_FAULT);
    FileObject* f = host::LookupHandleAs<FileObject>(file);
    if (!f) return Fail(ERROR_INVALID_HANDLE);
    if (!f->writable) return Fail(ERROR_ACCESS_DENIED);
    if (!buffer && bytesToWrite) return Fail(ERROR_INVALID_PARAMETER);
    DWORD done = 0;
    while (done < bytesToWrite) {
        const ssize_t n = ::write(f->fd, static_cast<const char*>(buffer) + done, bytesToWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (bytesWritten) *bytesWritten = done;
            return Fail(ErrorFromErrno(errno));
        }
        done += static_cast<DWORD>(n);
    }
    if (bytesWritten) *bytesWritten = done;
    return TRUE;
}

// Like the device, an open file cannot be deleted.
BOOL WINAPI DeleteFileW(LPCWSTR fileName) {
    if (host::InjectedFailure("DeleteFileW")) return Fail(ERROR_ACCESS_DENIED);
    if (!fileName) return Fail(ERROR_PATH_NOT_FOUND);
    const std::string path = host::DevicePathToHost(fileName);
    if (!NotHeldOpen(path)) return FALSE;
    if (::unlink(path.c_str()) != 0) return Fail(errno == ENOENT ? MissingFileError(path) : ErrorFromErrno(errno));
    return TRUE;
}

// Like the device, the new name must not exist yet and an open file cannot be moved.
BOOL WINAPI MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName) {
    if (host::InjectedFailure("MoveFileW")) return Fail(ERROR_ACCESS_DENIED);
    if (!existingFileName || !newFileName) return Fail(ERROR_PATH_NOT_FOUND);
    const std::string from = host::DevicePathToHost(existingFileName);
    const std::string to = host::DevicePathToHost(newFileName);
    if (!NotHeldOpen(from)) return FALSE;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
    return TRUE;
}
