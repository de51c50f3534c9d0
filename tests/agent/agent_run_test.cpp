// Black-box runs of the built agent on an emulated device (TZ=JST-9), against chronyd and
// against the scriptable responder: results, failure codes, teardown, instance guard and
// the sync window.
#include "chronyd.h"
#include "device.h"
#include "sntp_responder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace testsupport;

namespace {

const char kCaption[] = "Horvane 1.1.0.0";
constexpr long long kHourAheadMs = 3600000;
// After a set the device clock is behind the host's by the designed 200 ms margin plus the
// run's own steps; a missing margin, a missing second or a dropped fraction falls outside.
constexpr long long kSetOffsetLowMs = -800;
constexpr long long kSetOffsetHighMs = -150;

std::string FailureText(int code) { return "通信に失敗しました。(00" + std::to_string(code) + ")"; }

std::string Agent() { return BinPath("Horvane"); }

std::vector<std::string> ServerArgs(int port, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"-h127.0.0.1", "-p" + std::to_string(port)};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// A device nine hours ahead of UTC whose clock runs an hour fast.
void PrepareDevice(EmulatedDevice& device) {
    device.env["TZ"] = "JST-9";
    device.SetClockOffsetMs(kHourAheadMs);
}

std::vector<std::string> BoxTexts(const EmulatedDevice& device) {
    std::vector<std::string> texts;
    for (const Json& box : device.Journal("MessageBoxW")) {
        EXPECT_EQ(box["caption"].string, kCaption);
        EXPECT_EQ(box["type"].Int(), 0) << "MB_OK, no icon";
        texts.push_back(box["text"].string);
    }
    return texts;
}

// Index of the first journal entry of api, or -1.
int JournalIndex(const EmulatedDevice& device, const std::string& api) {
    const std::vector<Json> all = device.Journal();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i]["api"].string == api) return static_cast<int>(i);
    return -1;
}

// Waits until the journal holds `count` entries of api.
bool WaitForJournal(const EmulatedDevice& device, const std::string& api, size_t count = 1) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (device.Journal(api).size() < count) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void ExpectClockSetFromServer(const EmulatedDevice& device, const std::string& what) {
    const long long offset = device.ClockOffsetMs();
    EXPECT_GE(offset, kSetOffsetLowMs) << what;
    EXPECT_LE(offset, kSetOffsetHighMs) << what;
}

// The success text of a clock that ran an hour fast: put back by an hour (give or take the
// second that the run itself takes).
bool IsHourBackText(const std::string& text) {
    const std::string shape = "dddd/dd/dd dd:dd:dd \n";
    if (text.size() < shape.size()) return false;
    for (size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != shape[i]) return false;
    for (const char* change : {"-3599", "-3600", "-3601"})
        if (text.substr(shape.size()) == std::string("に設定しました。（") + change + "秒）") return true;
    return false;
}

TEST(AgentWithChronyd, SetsTheDeviceClockFromASynchronisedServer) {
    Chronyd chronyd;
    EmulatedDevice device;
    PrepareDevice(device);
    const RunResult run = device.Run(Agent(), ServerArgs(chronyd.Port()));
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectClockSetFromServer(device, "chronyd");

    const std::vector<std::string> boxes = BoxTexts(device);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(IsHourBackText(boxes[0])) << boxes[0];
    // The text shows the time that was set: "2026/12/11 21:34:57" for "2026-12-11T21:34:57.000".
    const std::vector<Json> sets = device.Journal("SetLocalTime");
    ASSERT_EQ(sets.size(), 1u);
    std::string shown = sets[0]["time"].string.substr(0, 19);
    shown[4] = shown[7] = '/';
    shown[10] = ' ';
    EXPECT_EQ(boxes[0].substr(0, 19), shown);
    EXPECT_EQ(sets[0]["time"].string.substr(19), ".000");

    const std::vector<Json> waits = device.Journal("WaitForSingleObject");
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_EQ(waits[0]["name"].string, "Horvane_Wait");
    EXPECT_GE(waits[0]["timeout"].Int(), 201);
    EXPECT_LE(waits[0]["timeout"].Int(), 1200);

    const std::vector<Json> releases = device.Journal("ConnMgrReleaseConnection");
    ASSERT_EQ(releases.size(), 1u);
    EXPECT_EQ(releases[0]["cache"].Int(), 0);
    EXPECT_LT(JournalIndex(device, "ConnMgrReleaseConnection"), JournalIndex(device, "MessageBoxW"))
        << "the connection is released before the result is shown";
}

TEST(AgentWithChronyd, RefusesAServerWithoutSynchronisation) {
    Chronyd chronyd(false);
    EmulatedDevice device;
    PrepareDevice(device);
    const RunResult run = device.Run(Agent(), ServerArgs(chronyd.Port()));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(BoxTexts(device), std::vector<std::string>{FailureText(8)});
    EXPECT_EQ(device.ClockOffsetMs(), kHourAheadMs);
}

struct ReplyCase {
    const char* what;
    std::vector<Datagram> script;
    int failure;  // 0: the clock is set from the reply
};

TEST(AgentWithResponder, TakesTheFirstDatagramWithContentAndChecksIt) {
    const ReplyCase cases[] = {
        {"a full reply is taken", {ReplyNow()}, 0},
        {"an empty datagram is no reply: the one after it is taken", {RawDatagram({}), ReplyNow()}, 0},
        {"an oversized datagram is no reply: the one after it is taken", {ReplyNow(0xE4, 100), ReplyNow()}, 0},
        {"a reply 3 s late is still taken", {Delayed(ReplyNow(), 3000)}, 0},
        {"version 3, mode 3 and stratum 0 are not checked", {ReplyNow(0x1B)}, 0},
        {"a 1-byte reply carries no time", {RawDatagram({0x24})}, 8},
        {"a zero transmit timestamp is no time", {FixedReply(0x24, 0, 0)}, 8},
        {"leap indicator 3 with a time is unsynchronised", {ReplyNow(0xE4)}, 8},
        {"a time that reads as 1901 is outside the settable years", {FixedReply(0x24, 61505152u, 1)}, 9},
    };
    for (const ReplyCase& c : cases) {
        SntpResponder responder(c.script);
        EmulatedDevice device;
        PrepareDevice(device);
        const RunResult run = device.Run(Agent(), ServerArgs(responder.Port()));
        EXPECT_EQ(run.status, c.failure ? 1 : 0) << c.what << run.err;
        const std::vector<std::string> boxes = BoxTexts(device);
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        if (c.failure) {
            EXPECT_EQ(boxes[0], FailureText(c.failure)) << c.what;
            EXPECT_EQ(device.ClockOffsetMs(), kHourAheadMs) << c.what << ": clock untouched";
        } else {
            EXPECT_TRUE(IsHourBackText(boxes[0])) << c.what << ": " << boxes[0];
            ExpectClockSetFromServer(device, c.what);
        }
        const std::vector<std::vector<uint8_t>> requests = responder.Requests();
        ASSERT_EQ(requests.size(), 1u) << c.what << ": one request per run";
        std::vector<uint8_t> expected(48, 0);
        expected[0] = 0x23;
        EXPECT_EQ(requests[0], expected) << c.what << ": client request, version 4, nothing else";
    }
}

// The window is measured by unsigned tick differences: a counter that wraps 5 s into it
// neither ends it early nor lets it run on.
TEST(AgentWithResponder, NoAnswerEndsWith006AfterTheReceiveWindow) {
    for (const char* tickStart : {"", "4294962295"}) {
        SntpResponder silent({});
        EmulatedDevice device;
        PrepareDevice(device);
        if (*tickStart) device.env["CE_TICK_START"] = tickStart;
        const auto start = std::chrono::steady_clock::now();
        const RunResult run = device.Run(Agent(), ServerArgs(silent.Port()));
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(run.status, 1) << tickStart;
        EXPECT_EQ(BoxTexts(device), std::vector<std::string>{FailureText(6)}) << tickStart;
        EXPECT_GE(elapsed, std::chrono::milliseconds(10000)) << "the window lasts 10 s; ticks from " << tickStart;
        EXPECT_LT(elapsed, std::chrono::milliseconds(20000)) << "the window lasts 10 s; ticks from " << tickStart;
        EXPECT_EQ(silent.Requests().size(), 1u) << tickStart;
        EXPECT_EQ(device.ClockOffsetMs(), kHourAheadMs) << tickStart;
    }
}

// A responder on a port below 34464, so that port + 65536 still has five digits.
std::unique_ptr<SntpResponder> ResponderOnLowPort() {
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        try {
            return std::make_unique<SntpResponder>(std::vector<Datagram>{ReplyNow()}, 20000 + random() % 14000);
        } catch (const std::runtime_error&) {
        }
    }
    throw std::runtime_error("no free port below 34464");
}

TEST(AgentWithResponder, PortAbove65535AddressesItsLow16Bits) {
    const std::unique_ptr<SntpResponder> responder = ResponderOnLowPort();
    EmulatedDevice device;
    PrepareDevice(device);
    const RunResult run = device.Run(Agent(), ServerArgs(responder->Port() + 65536));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(responder->Requests().size(), 1u);
    ExpectClockSetFromServer(device, "port + 65536");
}

struct FailureCase {
    const char* what;
    const char* envName;
    const char* envValue;
    std::string host;  // empty: the responder
    int failure;
    bool handle;  // the Connection Manager gave a handle, which is released
};

// Every failure shows its text even when silent, after a teardown that releases the
// connection with cache 1 when -c is given; the clock stays as it was.
TEST(AgentFailures, EachFailureEndsWithItsCodeAfterTheTeardown) {
    const std::string longKatakana = [] {
        std::string s;
        for (int i = 0; i < 127; ++i) s += "ー";  // two bytes each in code page 932
        return s;
    }();
    const FailureCase cases[] = {
        {"no connection", "CE_CONNMGR", "unavailable", "", 1, false},
        {"a connection that does not come up in 20 s", "CE_CONNMGR", "timeout", "", 1, true},
        {"the socket library refuses", "CE_FAIL", "WSAStartup", "", 2, true},
        {"no socket", "CE_FAIL", "socket", "", 3, true},
        {"connect refuses the address", "CE_FAIL", "connect", "", 4, true},
        {"the request cannot be sent", "CE_FAIL", "send", "", 5, true},
        {"a name that does not resolve", nullptr, nullptr, "nonexistent.invalid", 7, true},
        {"a name whose ANSI form needs more than 128 bytes", nullptr, nullptr, longKatakana, 7, true},
        {"the platform refuses to set the clock", "CE_FAIL", "SetLocalTime", "", 9, true},
    };
    for (const FailureCase& c : cases) {
        SntpResponder responder({ReplyNow()});
        EmulatedDevice device;
        PrepareDevice(device);
        if (c.envName) device.env[c.envName] = c.envValue;
        const std::string host = c.host.empty() ? "127.0.0.1" : c.host;
        const RunResult run = device.Run(Agent(), {"-h" + host, "-p" + std::to_string(responder.Port()), "-s", "-c"});
        EXPECT_EQ(run.status, 1) << c.what;
        EXPECT_EQ(BoxTexts(device), std::vector<std::string>{FailureText(c.failure)}) << c.what;
        EXPECT_EQ(device.ClockOffsetMs(), kHourAheadMs) << c.what;
        const std::vector<Json> releases = device.Journal("ConnMgrReleaseConnection");
        ASSERT_EQ(releases.size(), c.handle ? 1u : 0u) << c.what;
        if (c.handle) {
            EXPECT_EQ(releases[0]["cache"].Int(), 1) << c.what;
            EXPECT_LT(JournalIndex(device, "ConnMgrReleaseConnection"), JournalIndex(device, "MessageBoxW")) << c.what;
        }
    }
}

TEST(AgentOptions, EachOptionReachesTheRun) {
    const struct {
        std::vector<std::string> options;
        bool shown;
        int cache;
        long long shiftMs;  // the user's offset, on top of the designed margin
    } cases[] = {
        {{}, true, 0, 0},
        {{"-c"}, true, 1, 0},
        {{"-s"}, false, 0, 0},
        {{"-s", "-c"}, false, 1, 0},
        {{"-op30"}, true, 0, 30000},
        {{"-om30"}, true, 0, -30000},
    };
    for (const auto& c : cases) {
        SntpResponder responder({ReplyNow()});
        EmulatedDevice device;
        PrepareDevice(device);
        const RunResult run = device.Run(Agent(), ServerArgs(responder.Port(), c.options));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(BoxTexts(device).size(), c.shown ? 1u : 0u) << "silent suppresses only the success text";
        const std::vector<Json> releases = device.Journal("ConnMgrReleaseConnection");
        ASSERT_EQ(releases.size(), 1u);
        EXPECT_EQ(releases[0]["cache"].Int(), c.cache) << "keep asks for a cached connection";
        const long long offset = device.ClockOffsetMs() - c.shiftMs;
        EXPECT_GE(offset, kSetOffsetLowMs) << "offset " << c.shiftMs;
        EXPECT_LE(offset, kSetOffsetHighMs) << "offset " << c.shiftMs;
    }
}

TEST(AgentInstances, ASecondStartEndsAtOnceWhileTheFirstRuns) {
    SntpResponder responder({ReplyNow()});
    EmulatedDevice device;
    PrepareDevice(device);

    // First in its start delay.
    RunningProgram delayed = device.Start(Agent(), ServerArgs(responder.Port(), {"-d2"}));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const RunResult duringDelay = device.Run(Agent(), ServerArgs(responder.Port()));
    EXPECT_EQ(duringDelay.status, 1);
    EXPECT_EQ(responder.Requests().size(), 0u) << "the second start touched nothing";
    EXPECT_EQ(delayed.Wait().status, 0);

    // Then with its result on screen, waiting for the user.
    RunningProgram showing = device.StartInteractive(Agent(), ServerArgs(responder.Port()));
    ASSERT_TRUE(WaitForJournal(device, "SetLocalTime", 2));
    const RunResult duringBox = device.Run(Agent(), ServerArgs(responder.Port()));
    EXPECT_EQ(duringBox.status, 1);
    EXPECT_EQ(showing.Wait().status, 0);

    EXPECT_EQ(responder.Requests().size(), 2u);
    EXPECT_EQ(BoxTexts(device).size(), 2u) << "the second starts showed nothing";
    EXPECT_EQ(device.Journal("SetLocalTime").size(), 2u);
}

// The sync window: closed only when it came up after the connection and the run succeeded.
class SyncWindow : public ::testing::Test {
protected:
    void SetUp() override { PrepareDevice(device); }
    RunningProgram OpenWindow() { return device.Start(BinPath("cewindow"), {"ActiveSync"}); }
    // Whether the window program is still running after a moment.
    static bool StillOpen(RunningProgram& window) { return window.Wait(1000).status == -1; }
    SntpResponder responder{{ReplyNow()}};
    EmulatedDevice device;
};

TEST_F(SyncWindow, ComingUpAfterTheConnectionIsClosedAfterASuccess) {
    for (const bool silent : {true, false}) {
        EmulatedDevice fresh;
        PrepareDevice(fresh);
        RunningProgram agent = fresh.StartInteractive(Agent(), ServerArgs(responder.Port(), silent ? std::vector<std::string>{"-s"} : std::vector<std::string>{}));
        ASSERT_TRUE(WaitForJournal(fresh, "SetLocalTime"));
        RunningProgram window = fresh.Start(BinPath("cewindow"), {"ActiveSync"});
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(agent.Wait().status, 0);
        EXPECT_EQ(window.Wait(5000).status, 0) << "closed by WM_CLOSE, silent=" << silent;
        const std::vector<Json> posts = fresh.Journal("PostMessageW");
        ASSERT_EQ(posts.size(), 1u);
        EXPECT_EQ(posts[0]["title"].string, "ActiveSync");
        EXPECT_EQ(posts[0]["msg"].Int(), 0x0010);
    }
}

TEST_F(SyncWindow, ExistingBeforeTheConnectionIsLeftAlone) {
    RunningProgram window = OpenWindow();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(device.Run(Agent(), ServerArgs(responder.Port(), {"-s"})).status, 0);
    EXPECT_TRUE(StillOpen(window));
    EXPECT_TRUE(device.Journal("PostMessageW").empty());
}

TEST_F(SyncWindow, AFailedRunLeavesItAlone) {
    device.env["CE_FAIL"] = "SetLocalTime";
    RunningProgram agent = device.StartInteractive(Agent(), ServerArgs(responder.Port()));
    ASSERT_TRUE(WaitForJournal(device, "ConnMgrReleaseConnection"));
    RunningProgram window = OpenWindow();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(agent.Wait().status, 1);
    EXPECT_TRUE(StillOpen(window));
    EXPECT_TRUE(device.Journal("PostMessageW").empty());
}

}  // namespace
