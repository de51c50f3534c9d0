// The child side of the platform tests: when started with CE_PLATFORM_CHILD set, this test
// program performs the operations named on its command line before main() and exits.
#include "platform_child.h"

#include <windows.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace platformtest {

namespace {

const char* kChildVariable = "CE_PLATFORM_CHILD";

std::string Format(const SYSTEMTIME& st) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u.%03u", st.wYear, st.wMonth, st.wDay, st.wHour,
                  st.wMinute, st.wSecond, st.wMilliseconds);
    return text;
}

SYSTEMTIME Parse(const std::string& text) {
    unsigned y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    std::sscanf(text.c_str(), "%u-%u-%uT%u:%u:%u.%u", &y, &mo, &d, &h, &mi, &s, &ms);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    st.wMilliseconds = static_cast<WORD>(ms);
    return st;
}

std::wstring Wide(const std::string& utf8) {
    std::wstring text(utf8.size() + 1, L'\0');
    const size_t length = std::mbstowcs(&text[0], utf8.c_str(), text.size());
    text.resize(length == static_cast<size_t>(-1) ? 0 : length);
    return text;
}

std::string Converted(BOOL (*convert)(const FILETIME*, LPFILETIME), const std::string& ticks) {
    const unsigned long long value = std::stoull(ticks);
    const FILETIME in{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
    FILETIME out{};
    if (!convert(&in, &out)) return "0:" + std::to_string(GetLastError());
    return std::to_string((static_cast<unsigned long long>(out.dwHighDateTime) << 32) | out.dwLowDateTime);
}

std::string MarkerPath(const std::string& name) { return std::string(std::getenv("CE_DEVICE_DIR")) + "/" + name; }

std::vector<std::string> OwnArguments() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    std::string::size_type start = 0;
    while (start < all.size()) {
        const std::string::size_type end = all.find('\0', start);
        args.push_back(all.substr(start, end - start));
        start = end == std::string::npos ? all.size() : end + 1;
    }
    if (!args.empty()) args.erase(args.begin());
    return args;
}

void RunOperations(const std::vector<std::string>& ops) {
    std::setlocale(LC_ALL, "C.UTF-8");
    HANDLE event = nullptr;
    long long lastWaitMs = 0;
    std::string out;
    auto print = [&out](const std::string& word) { out += (out.empty() ? "" : " ") + word; };
    for (size_t i = 0; i < ops.size(); ++i) {
        const std::string& op = ops[i];
        const std::string arg = i + 1 < ops.size() ? ops[i + 1] : "";
        if (op == "create" || op == "create-manual") {
            event = CreateEventW(nullptr, op == "create-manual", FALSE, Wide(arg).c_str());
            print(std::to_string(GetLastError()));
            ++i;
        } else if (op == "set") {
            print(std::to_string(SetEvent(event)));
        } else if (op == "reset") {
            print(std::to_string(ResetEvent(event)));
        } else if (op == "wait") {
            const auto start = std::chrono::steady_clock::now();
            print(std::to_string(WaitForSingleObject(event, static_cast<DWORD>(std::stoul(arg)))));
            lastWaitMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
            ++i;
        } else if (op == "took") {
            print(std::to_string(lastWaitMs));
        } else if (op == "ready") {
            std::ofstream(MarkerPath(arg)) << "ready\n";
            ++i;
        } else if (op == "await") {
            for (int n = 0; n < 2000 && ::access(MarkerPath(arg).c_str(), F_OK) != 0; ++n)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ++i;
        } else if (op == "hold") {
            std::printf("%s\n", out.c_str());
            std::fflush(stdout);
            for (;;) ::pause();
        } else if (op == "ticks") {
            print(std::to_string(GetTickCount()));
        } else if (op == "sleep") {
            Sleep(static_cast<DWORD>(std::stoul(arg)));
            ++i;
        } else if (op == "setlocal") {
            const SYSTEMTIME st = Parse(arg);
            print(SetLocalTime(&st) ? "1" : "0:" + std::to_string(GetLastError()));
            ++i;
        } else if (op == "getlocal" || op == "getsystem") {
            SYSTEMTIME st{};
            (op == "getlocal" ? GetLocalTime : GetSystemTime)(&st);
            print(Format(st));
        } else if (op == "tolocal" || op == "toutc") {
            print(Converted(op == "tolocal" ? FileTimeToLocalFileTime : LocalFileTimeToFileTime, arg));
            ++i;
        } else if (op == "find") {
            print(FindWindowW(nullptr, Wide(arg).c_str()) ? "1" : "0");
            ++i;
        } else if (op == "close") {
            HWND window = nullptr;
            for (int n = 0; n < 1000 && !window; ++n) {
                window = FindWindowW(nullptr, Wide(arg).c_str());
                if (!window) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            print(std::to_string(PostMessageW(window, WM_CLOSE, 0, 0)));
            ++i;
        } else {
            std::fprintf(stderr, "unknown child operation %s\n", op.c_str());
            std::_Exit(3);
        }
    }
    std::printf("%s\n", out.c_str());
    std::fflush(stdout);
}

// Runs before main(): a child never reaches the test runner.
const bool childDone = [] {
    if (!std::getenv(kChildVariable)) return false;
    RunOperations(OwnArguments());
    std::_Exit(0);
}();

}  // namespace

testsupport::RunningProgram StartChild(testsupport::EmulatedDevice& device, const std::vector<std::string>& operations) {
    device.env[kChildVariable] = "1";
    return device.Start("/proc/self/exe", operations);
}

std::string RunChild(testsupport::EmulatedDevice& device, const std::vector<std::string>& operations) {
    testsupport::RunResult result = StartChild(device, operations).Wait(60000);
    std::string out = result.out;
    while (!out.empty() && out.back() == '\n') out.pop_back();
    if (result.status != 0) out += " [status " + std::to_string(result.status) + ": " + result.err + "]";
    return out;
}

bool AwaitMarker(const testsupport::EmulatedDevice& device, const std::string& name) {
    for (int n = 0; n < 2000; ++n) {
        if (::access((device.Dir() + "/" + name).c_str(), F_OK) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace platformtest
