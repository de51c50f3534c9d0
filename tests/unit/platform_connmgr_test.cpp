// The emulated Connection Manager: the three CE_CONNMGR modes, the status of a request,
// its release, the journal, and requests it refuses.
#include "device.h"

#include <connmgr.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
    ~ScopedEnv() { ::unsetenv(name_); }
private:
    const char* name_;
};

CONNMGR_CONNECTIONINFO InternetRequest() {
    CONNMGR_CONNECTIONINFO info{};
    info.cbSize = sizeof info;
    info.dwParams = CONNMGR_PARAM_GUIDDESTNET;
    info.dwFlags = CONNMGR_FLAG_PROXY_HTTP;
    info.dwPriority = CONNMGR_PRIORITY_USERINTERACTIVE;
    info.guidDestNet = IID_DestNetInternet;
    return info;
}

TEST(PlatformConnMgr, ModesDecideWhatARequestGets) {
    const struct {
        const char* sentence;
        const char* mode;
        bool succeeds;
        bool handle;
        DWORD status;
        long long minimumMs;
    } cases[] = {
        {"by default the connection is up at once", "", true, true, CONNMGR_STATUS_CONNECTED, 0},
        {"connected: up at once", "connected", true, true, CONNMGR_STATUS_CONNECTED, 0},
        {"unavailable: fails at once with no handle", "unavailable", false, false, CONNMGR_STATUS_NOPATHTODESTINATION, 0},
        {"timeout: a handle that waits out the whole time-out", "timeout", false, true, CONNMGR_STATUS_WAITINGCONNECTION, 300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        testsupport::EmulatedDevice device;  // for its journal file only
        const std::string journal = device.Dir() + "/journal.jsonl";
        ScopedEnv mode("CE_CONNMGR", c.mode);
        ScopedEnv journalFile("CE_JOURNAL", journal);

        CONNMGR_CONNECTIONINFO info = InternetRequest();
        HANDLE connection = reinterpret_cast<HANDLE>(1);
        DWORD status = 0;
        const auto start = std::chrono::steady_clock::now();
        const HRESULT result = ConnMgrEstablishConnectionSync(&info, &connection, 300, &status);
        const auto tookMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(SUCCEEDED(result), c.succeeds);
        EXPECT_EQ(connection != nullptr, c.handle);
        EXPECT_EQ(status, c.status);
        EXPECT_GE(tookMs, c.minimumMs);
        if (connection) {
            DWORD current = 0;
            EXPECT_EQ(ConnMgrConnectionStatus(connection, &current), S_OK);
            EXPECT_EQ(current, c.status);
            EXPECT_EQ(ConnMgrReleaseConnection(connection, 1), S_OK);
            EXPECT_EQ(ConnMgrConnectionStatus(connection, &current), E_INVALIDARG) << "released";
        } else {
            DWORD untouched = 7;
            EXPECT_EQ(ConnMgrConnectionStatus(connection, &untouched), E_INVALIDARG);
            EXPECT_EQ(untouched, 7u);
        }

        const std::vector<testsupport::Json> requests = device.Journal("ConnMgrEstablishConnectionSync");
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0]["status"].Int(), static_cast<long long>(c.status));
        EXPECT_EQ(requests[0]["handle"].boolean, c.handle);
        const std::vector<testsupport::Json> releases = device.Journal("ConnMgrReleaseConnection");
        ASSERT_EQ(releases.size(), c.handle ? 1u : 0u);
        if (c.handle) {
            EXPECT_EQ(releases[0]["cache"].Int(), 1);
        }
    }
}

TEST(PlatformConnMgr, RefusesARequestWithoutItsRecord) {
    CONNMGR_CONNECTIONINFO wrongSize = InternetRequest();
    wrongSize.cbSize = 60;
    HANDLE connection = reinterpret_cast<HANDLE>(1);
    DWORD status = 0;
    EXPECT_EQ(ConnMgrEstablishConnectionSync(&wrongSize, &connection, 20000, &status), E_INVALIDARG);
    EXPECT_EQ(connection, nullptr);
    connection = reinterpret_cast<HANDLE>(1);
    EXPECT_EQ(ConnMgrEstablishConnectionSync(nullptr, &connection, 20000, &status), E_INVALIDARG);
    EXPECT_EQ(connection, nullptr);
    EXPECT_EQ(ConnMgrReleaseConnection(nullptr, 0), E_INVALIDARG);
}

}  // namespace
