// ceshell LNK: opens a shortcut as the platform shell does. The file holds "count#target" in
// the ANSI code page; the target is a program path, quoted when it holds spaces, followed by
// the program's command line. The program runs with that command line as one argument; the
// shell waits for it and ends with its exit status.
#include <windows.h>

#include "host/host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <strings.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kUsageError = 2, kShortcutError = 2, kNoProgram = 127;

struct Target {
    std::wstring program;      // device path
    std::wstring commandLine;  // without the leading spaces
};

int Fail(const std::string& message, int status) {
    std::fprintf(stderr, "ceshell: %s\n", message.c_str());
    return status;
}

// Splits "count#target"; the message says what is wrong with a malformed shortcut.
bool ParseShortcut(const std::wstring& text, Target& target, std::string& message) {
    size_t i = 0;
    while (i < text.size() && std::iswdigit(text[i])) ++i;
    if (i == 0) { message = "the shortcut does not begin with a count"; return false; }
    if (i == text.size() || text[i] != L'#') { message = "the count is not followed by '#'"; return false; }
    const std::wstring rest = text.substr(i + 1);
    size_t end;
    if (!rest.empty() && rest[0] == L'"') {
        end = rest.find(L'"', 1);
        if (end == std::wstring::npos) { message = "the program path has no closing quotation mark"; return false; }
        target.program = rest.substr(1, end - 1);
        ++end;
    } else {
        end = rest.find(L' ');
        if (end == std::wstring::npos) end = rest.size();
        target.program = rest.substr(0, end);
    }
    if (target.program.empty()) { message = "the shortcut names no program"; return false; }
    const size_t args = rest.find_first_not_of(L' ', end);
    target.commandLine = args == std::wstring::npos ? L"" : rest.substr(args);
    return true;
}

bool IsFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The host program for a device path; "X.exe" may stand for the host program "X" beside it.
bool FindProgram(const std::wstring& device, std::string& hostPath) {
    hostPath = host::DevicePathToHost(device);
    if (IsFile(hostPath)) return true;
    const size_t n = hostPath.size();
    if (n > 4 && strcasecmp(hostPath.c_str() + n - 4, ".exe") == 0 && IsFile(hostPath.substr(0, n - 4))) {
        hostPath.resize(n - 4);
        return true;
    }
    return false;
}

int Run(const std::string& program, const std::string& commandLine) {
    const pid_t pid = ::fork();
    if (pid < 0) return Fail(std::string("cannot start a program: ") + std::strerror(errno), kNoProgram);
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        if (!commandLine.empty()) argv.push_back(const_cast<char*>(commandLine.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        std::fprintf(stderr, "ceshell: %s: %s\n", program.c_str(), std::strerror(errno));
        ::_exit(kNoProgram);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return Fail("lost the started program", kNoProgram);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Fail("usage: ceshell SHORTCUT", kUsageError);
    std::string path = argv[1];
    if (path.find('\\') != std::string::npos) path = host::DevicePathToHost(host::FromUtf8(path));
    std::ifstream file(path, std::ios::binary);
    if (!file) return Fail(path + ": cannot be read", kShortcutError);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string ansi = bytes.str().substr(0, bytes.str().find('\0'));  // the text ends at a zero byte

    std::wstring text;
    if (!ansi.empty()) {
        const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
        text.resize(static_cast<size_t>(n > 0 ? n : 0));
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), n);
    }
    Target target;
    std::string message;
    if (!ParseShortcut(text, target, message)) return Fail(path + ": " + message, kShortcutError);
    std::string program;
    if (!FindProgram(target.program, program))
        return Fail(host::ToUtf8(target.program) + ": no such program", kNoProgram);
    return Run(program, host::ToUtf8(target.commandLine));
}
