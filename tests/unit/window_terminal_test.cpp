// The terminal front end: a dialog run on a pseudo-terminal is drawn there and answers to
// the keyboard through the same control logic as the input script.
#include "dialog_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace dialogtest;

namespace {

// Runs the scenario on a new 80x24 terminal; sends each key chunk once the screen shows
// waitFor. Returns everything the program drew.
std::string RunOnTerminal(testsupport::EmulatedDevice& device, const std::string& scenario, const std::string& waitFor,
                          const std::string& keys) {
    struct winsize size = {};
    size.ws_row = 24;
    size.ws_col = 80;
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, &size);
    if (pid == 0) {
        ::setenv("DIALOG_TEST_SCENARIO", scenario.c_str(), 1);
        ::setenv("CE_DEVICE_DIR", device.Dir().c_str(), 1);
        ::setenv("CE_JOURNAL", (device.Dir() + "/journal.jsonl").c_str(), 1);
        ::setenv("TERM", "xterm", 1);
        ::execl("/proc/self/exe", "unit_tests", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    std::string screen;
    bool sent = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd fd = {master, POLLIN, 0};
        if (::poll(&fd, 1, 100) > 0) {
            char buf[4096];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0) break;  // the program ended and closed the terminal
            screen.append(buf, static_cast<size_t>(n));
        }
        if (!sent && screen.find(waitFor) != std::string::npos) {
            ssize_t unused = ::write(master, keys.data(), keys.size());
            (void)unused;
            sent = true;
        }
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(master);
    return screen;
}

TEST(TerminalDialog, IsDrawnAndAnswersTheKeyboard) {
    testsupport::EmulatedDevice device;
    // Type with a correction, tab to the digits-only edit, OK; in the box tab to Cancel and
    // take it; OK again and take the box's OK.
    const std::string screen = RunOnTerminal(device, "echo", "試験", "ax\x7F" "c\t1x2\r\t\r\r\r");
    EXPECT_NE(screen.find("試験"), std::string::npos) << "the caption";
    EXPECT_NE(screen.find("ポート："), std::string::npos) << "a label";
    EXPECT_NE(screen.find("確認する。"), std::string::npos) << "a check box";
    const std::vector<testsupport::Json> boxes = device.Journal("MessageBoxW");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0]["text"].string, "ac|12");
    EXPECT_EQ(boxes[0]["result"].Int(), IDCANCEL);
    EXPECT_EQ(boxes[1]["result"].Int(), IDOK);
}

}  // namespace
