// The shell's special folders, inside the emulated device's folder.
#include <windows.h>
#include <aygshell.h>

#include "host/host.h"

#include <cwchar>
#include <filesystem>

BOOL WINAPI SHGetSpecialFolderPath(HWND owner, LPWSTR path, int folder, BOOL create) {
    (void)owner;
    if (!path) { SetLastError(ERROR_INVALID_PARAMETER); return FALSE; }
    path[0] = L'\0';
    if (folder != CSIDL_PROGRAMS) { SetLastError(ERROR_INVALID_PARAMETER); return FALSE; }
    const std::string hostPath = host::DeviceDir() + "/Windows/Start Menu/Programs";
    if (create) {
        std::error_code ec;
        std::filesystem::create_directories(hostPath, ec);
    }
    const std::wstring device = host::HostPathToDevice(hostPath);
    if (device.size() >= MAX_PATH) { SetLastError(ERROR_INSUFFICIENT_BUFFER); return FALSE; }
    std::wmemcpy(path, device.c_str(), device.size() + 1);
    return TRUE;
}
