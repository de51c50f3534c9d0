// The running program's own module: its handle and its path as a device path.
#include <windows.h>

#include "host/host.h"

#include <climits>
#include <cwchar>
#include <unistd.h>

HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName) {
    static int self;
    if (moduleName) { SetLastError(ERROR_FILE_NOT_FOUND); return nullptr; }
    return reinterpret_cast<HMODULE>(&self);
}

// The host program's path, written as a device path. Like the device, a path longer than
// the buffer is cut and terminated, and the count of characters copied is returned.
DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    (void)module;
    if (!fileName || size == 0) { SetLastError(ERROR_INSUFFICIENT_BUFFER); return 0; }
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) { fileName[0] = L'\0'; SetLastError(ERROR_FILE_NOT_FOUND); return 0; }
    path[n] = '\0';
    const std::wstring device = host::HostPathToDevice(path);
    DWORD count = static_cast<DWORD>(device.size());
    if (count >= size) {
        count = size - 1;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    }
    std::wmemcpy(fileName, device.data(), count);
    fileName[count] = L'\0';
    return count;
}
