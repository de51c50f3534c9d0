// The emulated device's folder and the translation between device and host paths.
#include "host/host.h"

#include <cstdlib>
#include <filesystem>

namespace host {

const std::string& DeviceDir() {
    static const std::string dir = [] {
        std::string d;
        if (const char* env = std::getenv("CE_DEVICE_DIR"); env && *env) {
            d = env;
        } else if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
            d = std::string(xdg) + "/cedevice";
        } else {
            const char* home = std::getenv("HOME");
            d = std::string(home && *home ? home : "/tmp") + "/.local/share/cedevice";
        }
        std::error_code ec;
        std::filesystem::create_directories(d + "/Windows/Start Menu/Programs", ec);
        return d;
    }();
    return dir;
}

std::string DeviceSubdir(const std::string& relative) {
    const std::string dir = DeviceDir() + "/" + relative;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir;
}

std::string DevicePathToHost(const std::wstring& devicePath) {
    std::string path = ToUtf8(devicePath);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::wstring HostPathToDevice(const std::string& hostPath) {
    std::wstring path = FromUtf8(hostPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

}  // namespace host
