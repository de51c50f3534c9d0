// Events: names shared by the processes of a device, signalling across processes,
// automatic and manual reset, and accurate time-outs.
#include "platform_child.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

namespace {

using platformtest::RunChild;
using platformtest::StartChild;
using testsupport::EmulatedDevice;

TEST(PlatformEvent, ANameExistsWhileAProcessHoldsIt) {
    EmulatedDevice device;
    testsupport::RunningProgram holder = StartChild(device, {"create", "Guard", "ready", "held", "hold"});
    ASSERT_TRUE(platformtest::AwaitMarker(device, "held"));
    EXPECT_EQ(RunChild(device, {"create", "Guard"}), "183") << "a second process finds the name";
    EXPECT_EQ(RunChild(device, {"create", "Other"}), "0") << "names are distinct";

    ::kill(holder.Pid(), SIGKILL);
    EXPECT_EQ(holder.Wait().out, "0\n") << "the holder created the name";
    EXPECT_EQ(RunChild(device, {"create", "Guard"}), "0") << "a killed holder leaves nothing behind";
    EXPECT_EQ(RunChild(device, {"create", "Guard", "create", "Guard"}), "0 183") << "within one process too";
}

TEST(PlatformEvent, SetEventInOneProcessEndsAWaitInAnother) {
    EmulatedDevice device;
    testsupport::RunningProgram waiter = StartChild(device, {"create", "Wake", "ready", "waiting", "wait", "20000", "took"});
    ASSERT_TRUE(platformtest::AwaitMarker(device, "waiting"));
    EXPECT_EQ(RunChild(device, {"create", "Wake", "set"}), "183 1");
    std::istringstream out(waiter.Wait(30000).out);
    std::string created, result;
    long took = -1;
    out >> created >> result >> took;
    EXPECT_EQ(result, "0") << "WAIT_OBJECT_0";
    EXPECT_LT(took, 10000);

    const std::vector<testsupport::Json> waits = device.Journal("WaitForSingleObject");
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_EQ(waits[0]["name"].string, "Wake");
    EXPECT_EQ(waits[0]["timeout"].Int(), 20000);
}

TEST(PlatformEvent, AutomaticAndManualReset) {
    const struct {
        const char* sentence;
        std::vector<std::string> operations;
        const char* results;
    } cases[] = {
        {"automatic reset releases one wait, however often it was set",
         {"create", "A", "set", "set", "wait", "0", "wait", "0"}, "0 1 1 0 258"},
        {"manual reset releases every wait until reset",
         {"create-manual", "M", "set", "wait", "0", "wait", "0", "reset", "wait", "0"}, "0 1 0 0 1 258"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        EmulatedDevice device;
        EXPECT_EQ(RunChild(device, c.operations), c.results);
    }
}

TEST(PlatformEvent, AWaitTimesOutAfterItsTimeOut) {
    EmulatedDevice device;
    std::istringstream out(RunChild(device, {"create", "Pause", "wait", "580", "took"}));
    std::string created, result;
    long took = -1;
    out >> created >> result >> took;
    EXPECT_EQ(result, "258") << "WAIT_TIMEOUT";
    EXPECT_GE(took, 580);
    EXPECT_LT(took, 580 + 1000);
}

TEST(PlatformEvent, AnUnnamedEventBelongsToItsProcess) {
    HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "created signalled";
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_FAILED)) << "a closed handle";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
