// Top-level windows of the device: a process registers a window with its title so that
// FindWindowW in any process of the device finds it and PostMessageW reaches it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace host {

struct PostedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class TopLevelWindow {
public:
    // Registers a window; the registration ends with the object or with the process.
    // nullptr (and a message on standard error) when the device's registry cannot be written.
    static std::unique_ptr<TopLevelWindow> Create(const std::wstring& title, const std::wstring& className = L"");
    ~TopLevelWindow();
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    HWND Handle() const { return handle_; }
    // Readable (poll POLLIN) while a posted message waits, for callers with their own loop.
    int MessageFd() const { return queueFd_; }
    // The next posted message; waits up to timeoutMs (-1: for ever), nullopt when none came.
    std::optional<PostedMessage> NextMessage(int timeoutMs);

private:
    TopLevelWindow(std::string key, HWND handle, int lockFd, int queueFd);
    std::string key_;
    HWND handle_;
    int lockFd_;   // exclusive flock held while the window exists
    int queueFd_;  // the window's message FIFO, opened for reading and writing
};

}  // namespace host
