// Top-level windows across the processes of a device: cewindow's window is found by its
// title, WM_CLOSE posted to it ends it, and the window of a killed process is gone.
#include "platform_child.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using platformtest::RunChild;
using testsupport::EmulatedDevice;

TEST(PlatformWindow, WmCloseFromAnotherProcessEndsCewindow) {
    EmulatedDevice device;
    testsupport::RunningProgram window = device.Start(testsupport::BinPath("cewindow"), {"ActiveSync"});
    EXPECT_EQ(RunChild(device, {"find", "Other"}), "0");
    EXPECT_EQ(RunChild(device, {"close", "ActiveSync"}), "1");
    const testsupport::RunResult result = window.Wait(10000);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(RunChild(device, {"find", "ActiveSync"}), "0") << "a closed window is gone";

    const std::vector<testsupport::Json> posts = device.Journal("PostMessageW");
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0]["title"].string, "ActiveSync");
    EXPECT_EQ(posts[0]["msg"].Int(), 0x0010);
}

TEST(PlatformWindow, TheWindowOfAKilledProcessIsGone) {
    EmulatedDevice device;
    testsupport::RunningProgram window = device.Start(testsupport::BinPath("cewindow"), {"同期ウィンドウ"});
    // `close` retries until the window is registered; its message is then left unread.
    EXPECT_EQ(RunChild(device, {"close", "同期ウィンドウ"}), "1");
    ::kill(window.Pid(), SIGKILL);
    window.Wait();
    EXPECT_EQ(RunChild(device, {"find", "同期ウィンドウ"}), "0");
}

}  // namespace
