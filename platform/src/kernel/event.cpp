// Events. A named event is shared by every process of the device: its state is a pipe
// (a FIFO under $CE_DEVICE_DIR/.kernel/events) that holds one byte while the event is
// signalled, and it exists while any process holds a shared flock(2) on its lock file, so
// that a killed process leaves nothing behind. Unnamed events use a private pipe.
#include <windows.h>

#include "host/handles.h"
#include "host/host.h"

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string& EventsDir() {
    static const std::string dir = host::DeviceSubdir(".kernel/events");
    return dir;
}

// A file name for any event name: safe bytes stay, others become %XX; a very long name is
// cut and completed with a hash of the whole.
std::string FileNameOf(const std::wstring& name) {
    const std::string utf8 = host::ToUtf8(name);
    std::string out;
    for (unsigned char c : utf8) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alnum || c == '_' || c == '-' || (c == '.' && !out.empty())) {
            out += static_cast<char>(c);
        } else {
            static const char hex[] = "0123456789ABCDEF";
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    if (out.size() <= 200) return out;
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : utf8) hash = (hash ^ c) * 1099511628211ull;
    return out.substr(0, 180) + "~" + std::to_string(hash);
}

// The device-wide lock that makes creating, closing, setting and resetting named events atomic.
class DeviceEventsLock {
public:
    DeviceEventsLock() : fd_(::open((EventsDir() + "/.guard").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~DeviceEventsLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    DeviceEventsLock(const DeviceEventsLock&) = delete;
    DeviceEventsLock& operator=(const DeviceEventsLock&) = delete;
private:
    int fd_;
};

void Drain(int fd) {
    char buffer[64];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
}

class Event : public host::KernelObject {
public:
    Event(std::wstring name, bool manualReset, int readFd, int writeFd, int holdFd)
        : name_(std::move(name)), manualReset_(manualReset), readFd_(readFd), writeFd_(writeFd), holdFd_(holdFd) {}

    ~Event() override {
        if (name_.empty()) {
            ::close(readFd_);
            ::close(writeFd_);
            return;
        }
        DeviceEventsLock lock;
        ::close(readFd_);
        ::close(holdFd_);
        // The last holder removes the files; anyone else still holds a shared lock.
        const std::string base = EventsDir() + "/" + FileNameOf(name_);
        const int probe = ::open((base + ".lock").c_str(), O_RDWR | O_CLOEXEC);
        if (probe >= 0 && ::flock(probe, LOCK_EX | LOCK_NB) == 0) {
            ::unlink((base + ".lock").c_str());
            ::unlink((base + ".fifo").c_str());
        }
        if (probe >= 0) ::close(probe);
    }

    const std::wstring& Name() const { return name_; }

    void Set() {
        Guarded([this] {
            int waiting = 0;
            if (::ioctl(readFd_, FIONREAD, &waiting) == 0 && waiting == 0) {
                const char signal = 1;
                ssize_t unused = ::write(writeFd_, &signal, 1);
                (void)unused;
            }
        });
    }

    void Reset() {
        Guarded([this] { Drain(readFd_); });
    }

    DWORD Wait(DWORD milliseconds) {
        timespec deadline{};
        clock_gettime(CLOCK_MONOTONIC, &deadline);
        deadline.tv_sec += milliseconds / 1000;
        deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
        if (deadline.tv_nsec >= 1000000000L) {
            deadline.tv_sec += 1;
            deadline.tv_nsec -= 1000000000L;
        }
        for (;;) {
            timespec remaining{};
            if (milliseconds != INFINITE) {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                remaining.tv_sec = deadline.tv_sec - now.tv_sec;
                remaining.tv_nsec = deadline.tv_nsec - now.tv_nsec;
                if (remaining.tv_nsec < 0) {
                    remaining.tv_sec -= 1;
                    remaining.tv_nsec += 1000000000L;
                }
                if (remaining.tv_sec < 0) remaining = timespec{0, 0};
            }
            pollfd ready{readFd_, POLLIN, 0};
            const int n = ::ppoll(&ready, 1, milliseconds == INFINITE ? nullptr : &remaining, nullptr);
            if (n < 0 && errno != EINTR) return WAIT_FAILED;
            if (n > 0) {
                if (manualReset_) return WAIT_OBJECT_0;
                char signal;
                if (::read(readFd_, &signal, 1) == 1) return WAIT_OBJECT_0;  // auto-reset: this wait takes it
                continue;  // another waiter was faster
            }
            if (n == 0) return WAIT_TIMEOUT;
        }
    }

private:
    template <typename F>
    void Guarded(F action) {
        if (name_.empty()) {
            std::lock_guard<std::mutex> lock(unnamedLock_);
            action();
        } else {
            DeviceEventsLock lock;
            action();
        }
    }

    std::wstring name_;
    bool manualReset_;
    int readFd_, writeFd_;  // the same FIFO descriptor for a named event
    int holdFd_;            // shared lock on the name; -1 for an unnamed event
    std::mutex unnamedLock_;
};

HANDLE CreateUnnamed(BOOL manualReset, BOOL initialState) {
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto event = std::make_unique<Event>(L"", manualReset != FALSE, fds[0], fds[1], -1);
    if (initialState) event->Set();
    HANDLE handle = host::NewHandle(std::move(event));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

HANDLE CreateNamed(const std::wstring& name, BOOL manualReset, BOOL initialState) {
    const std::string base = EventsDir() + "/" + FileNameOf(name);
    DeviceEventsLock lock;
    const int holdFd = ::open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (holdFd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (::mkfifo((base + ".fifo").c_str(), 0644) != 0 && errno != EEXIST) {
        ::close(holdFd);
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    // Read and write: the FIFO never blocks on open and keeps its bytes while anyone holds it.
    const int fifoFd = ::open((base + ".fifo").c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fifoFd < 0 || ::fstat(fifoFd, &info) != 0 || !S_ISFIFO(info.st_mode)) {
        if (fifoFd >= 0) ::close(fifoFd);
        ::close(holdFd);
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    // Nobody else holds the name when an exclusive lock can be had.
    const bool created = ::flock(holdFd, LOCK_EX | LOCK_NB) == 0;
    ::flock(holdFd, LOCK_SH);
    if (created) {
        Drain(fifoFd);
        if (initialState) {
            const char signal = 1;
            ssize_t unused = ::write(fifoFd, &signal, 1);
            (void)unused;
        }
    }
    HANDLE handle = host::NewHandle(std::make_unique<Event>(name, manualReset != FALSE, fifoFd, fifoFd, holdFd));
    SetLastError(created ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
    return handle;
}

}  // namespace

HANDLE WINAPI CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCWSTR name) {
    (void)attributes;
    if (host::InjectedFailure("CreateEventW")) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (!name || !*name) return CreateUnnamed(manualReset, initialState);
    return CreateNamed(name, manualReset, initialState);
}

namespace {

// Runs an operation on the event behind a handle; an unknown handle is an invalid one.
template <typename Operation>
BOOL OnEvent(HANDLE handle, Operation operation) {
    Event* event = host::LookupHandleAs<Event>(handle);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    operation(*event);
    return TRUE;
}

}  // namespace

BOOL WINAPI SetEvent(HANDLE handle) { return OnEvent(handle, [](Event& e) { e.Set(); }); }

BOOL WINAPI ResetEvent(HANDLE handle) { return OnEvent(handle, [](Event& e) { e.Reset(); }); }

DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    Event* event = host::LookupHandleAs<Event>(handle);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    host::JournalEntry("WaitForSingleObject").Str("name", event->Name()).Num("timeout", milliseconds).Write();
    return event->Wait(milliseconds);
}
