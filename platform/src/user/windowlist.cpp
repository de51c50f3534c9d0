// The device's top-level windows across processes. Each window is a set of files under
// $CE_DEVICE_DIR/.user/windows named by a unique key: KEY.lock (flock held by the owner while
// the window exists, so that the windows of a killed process are recognised and removed),
// KEY.fifo (the message queue; one write per posted message) and KEY.title (class and title,
// put in place last, so that a window is found only once it is complete).
#include <windows.h>

#include "host/host.h"
#include "host/toplevel.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <mutex>
#include <poll.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr DWORD kErrorInvalidWindowHandle = 1400;
constexpr const char* kTitleSuffix = ".title";

// A posted message as written into a window's FIFO, in one write (far below PIPE_BUF).
struct QueuedMessage {
    uint32_t message;
    uint32_t unused;
    uint64_t wParam;
    int64_t lParam;
};

const std::string& WindowsDir() {
    static const std::string dir = host::DeviceSubdir(".user/windows");
    return dir;
}

std::string PathOf(const std::string& key, const char* suffix) { return WindowsDir() + "/" + key + suffix; }

// True while the window's owner holds its lock; the files of a dead owner are removed.
bool WindowAlive(const std::string& key) {
    const int probe = ::open(PathOf(key, ".lock").c_str(), O_RDONLY | O_CLOEXEC);
    if (probe < 0) return false;
    const bool alive = ::flock(probe, LOCK_SH | LOCK_NB) != 0;
    if (!alive) {
        ::unlink(PathOf(key, kTitleSuffix).c_str());
        ::unlink(PathOf(key, ".fifo").c_str());
        ::unlink(PathOf(key, ".lock").c_str());
    }
    ::close(probe);
    return alive;
}

// This process's HWND values for the windows it created or found.
struct KnownWindow {
    std::string key;
    std::wstring title;
};
std::mutex knownLock;
std::map<uintptr_t, KnownWindow>& Known() {
    static auto* known = new std::map<uintptr_t, KnownWindow>;  // lives until exit
    return *known;
}

HWND HandleFor(const std::string& key, const std::wstring& title) {
    std::lock_guard<std::mutex> lock(knownLock);
    for (auto& [value, window] : Known()) {
        if (window.key == key) {
            window.title = title;
            return reinterpret_cast<HWND>(value);
        }
    }
    const uintptr_t value = 0x10000 + 0x10 * (Known().size() + 1);
    Known()[value] = KnownWindow{key, title};
    return reinterpret_cast<HWND>(value);
}

std::optional<KnownWindow> Lookup(HWND window) {
    std::lock_guard<std::mutex> lock(knownLock);
    const auto it = Known().find(reinterpret_cast<uintptr_t>(window));
    if (it == Known().end()) return std::nullopt;
    return it->second;
}

// KEY.title holds the class name, a NUL and the title, in UTF-8.
bool ReadTitleFile(const std::string& key, std::wstring& className, std::wstring& title) {
    std::ifstream in(PathOf(key, kTitleSuffix), std::ios::binary);
    if (!in) return false;
    std::stringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    const std::string::size_type split = text.find('\0');
    if (split == std::string::npos) return false;
    className = host::FromUtf8(text.substr(0, split));
    title = host::FromUtf8(text.substr(split + 1));
    return true;
}

std::string NewKey() {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" + std::to_string(now.tv_nsec);
}

}  // namespace

namespace host {

TopLevelWindow::TopLevelWindow(std::string key, HWND handle, int lockFd, int queueFd)
    : key_(std::move(key)), handle_(handle), lockFd_(lockFd), queueFd_(queueFd) {}

std::unique_ptr<TopLevelWindow> TopLevelWindow::Create(const std::wstring& title, const std::wstring& className) {
    const std::string key = NewKey();
    const int lockFd = ::open(PathOf(key, ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lockFd < 0 || ::flock(lockFd, LOCK_EX) != 0) {
        std::fprintf(stderr, "cannot register a window in %s\n", WindowsDir().c_str());
        if (lockFd >= 0) ::close(lockFd);
        return nullptr;
    }
    int queueFd = -1;
    if (::mkfifo(PathOf(key, ".fifo").c_str(), 0600) == 0)
        queueFd = ::open(PathOf(key, ".fifo").c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    const std::string temp = PathOf(key, ".new");
    bool registered = false;
    if (queueFd >= 0) {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << ToUtf8(className) << '\0' << ToUtf8(title);
        out.close();
        registered = out && std::rename(temp.c_str(), PathOf(key, kTitleSuffix).c_str()) == 0;
    }
    if (!registered) {
        std::fprintf(stderr, "cannot register a window in %s\n", WindowsDir().c_str());
        ::unlink(temp.c_str());
        ::unlink(PathOf(key, ".fifo").c_str());
        ::unlink(PathOf(key, ".lock").c_str());
        if (queueFd >= 0) ::close(queueFd);
        ::close(lockFd);
        return nullptr;
    }
    return std::unique_ptr<TopLevelWindow>(new TopLevelWindow(key, HandleFor(key, title), lockFd, queueFd));
}

TopLevelWindow::~TopLevelWindow() {
    ::unlink(PathOf(key_, kTitleSuffix).c_str());
    ::unlink(PathOf(key_, ".fifo").c_str());
    ::unlink(PathOf(key_, ".lock").c_str());
    ::close(queueFd_);
    ::close(lockFd_);
}

std::optional<PostedMessage> TopLevelWindow::NextMessage(int timeoutMs) {
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const long long deadlineMs = deadline.tv_sec * 1000LL + deadline.tv_nsec / 1000000 + timeoutMs;
    for (;;) {
        QueuedMessage queued{};
        if (::read(queueFd_, &queued, sizeof queued) == static_cast<ssize_t>(sizeof queued))
            return PostedMessage{queued.message, static_cast<WPARAM>(queued.wParam), static_cast<LPARAM>(queued.lParam)};
        int wait = -1;
        if (timeoutMs >= 0) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            const long long left = deadlineMs - (now.tv_sec * 1000LL + now.tv_nsec / 1000000);
            if (left <= 0) return std::nullopt;
            wait = static_cast<int>(left);
        }
        pollfd ready{queueFd_, POLLIN, 0};
        if (::poll(&ready, 1, wait) < 0 && errno != EINTR) return std::nullopt;
    }
}

}  // namespace host

HWND WINAPI FindWindowW(LPCWSTR className, LPCWSTR windowName) {
    DIR* dir = ::opendir(WindowsDir().c_str());
    if (!dir) return nullptr;
    HWND found = nullptr;
    while (!found) {
        const dirent* entry = ::readdir(dir);
        if (!entry) break;
        const std::string file = entry->d_name;
        const size_t suffixLength = std::char_traits<char>::length(kTitleSuffix);
        if (file.size() <= suffixLength || file.compare(file.size() - suffixLength, suffixLength, kTitleSuffix) != 0)
            continue;
        const std::string key = file.substr(0, file.size() - suffixLength);
        std::wstring windowClass, title;
        if (!ReadTitleFile(key, windowClass, title)) continue;
        if (className && windowClass != className) continue;
        if (windowName && title != windowName) continue;
        if (WindowAlive(key)) found = HandleFor(key, title);
    }
    ::closedir(dir);
    return found;
}

BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::optional<KnownWindow> target = Lookup(window);
    if (!target || !WindowAlive(target->key)) {
        SetLastError(kErrorInvalidWindowHandle);
        return FALSE;
    }
    const int queue = ::open(PathOf(target->key, ".fifo").c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    const QueuedMessage queued{message, 0, static_cast<uint64_t>(wParam), static_cast<int64_t>(lParam)};
    const bool posted = queue >= 0 && ::write(queue, &queued, sizeof queued) == static_cast<ssize_t>(sizeof queued);
    if (queue >= 0) ::close(queue);
    if (!posted) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);  // the window's queue is full
        return FALSE;
    }
    host::JournalEntry("PostMessageW").Str("title", target->title).Num("msg", message).Write();
    return TRUE;
}
