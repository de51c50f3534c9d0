// The platform's start-up code: the program's arguments, joined with single spaces, are its
// command line; WinMain's result is the process exit status.
#include <windows.h>

#include "host/host.h"

#include <clocale>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C.UTF-8");
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) joined += ' ';
        joined += argv[i];
    }
    std::wstring commandLine = host::FromUtf8(joined);
    std::vector<WCHAR> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    return WinMain(GetModuleHandleW(nullptr), nullptr, buffer.data(), 1);
}
