// The clock arithmetic: server seconds to FILETIME, the wait, the year window, the second
// counts and the success text. Runs in-process on a device folder of its own, TZ=JST-9.
#include "ClockSetting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The platform reads its environment once: set it before any test runs.
const std::string kDeviceDir = [] {
    char tmpl[] = "/tmp/cedevice-clock-XXXXXX";
    const std::string dir = ::mkdtemp(tmpl);
    ::setenv("CE_DEVICE_DIR", dir.c_str(), 1);
    ::unsetenv("CE_JOURNAL");
    ::unsetenv("CE_FAIL");
    ::setenv("TZ", "JST-9", 1);
    ::tzset();
    return dir;
}();

struct RemoveDeviceDir {
    ~RemoveDeviceDir() {
        std::error_code ec;
        std::filesystem::remove_all(kDeviceDir, ec);
    }
} removeDeviceDir;

// A UTC FILETIME count as calendar text, computed without the platform.
std::string UtcText(ULONGLONG fileTime) {
    const long long unixSeconds = static_cast<long long>(fileTime / 10000000ULL) - 11644473600LL;
    EXPECT_EQ(fileTime % 10000000ULL, 0u) << "not a whole second";
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm tm{};
    ::gmtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

std::string LocalText(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

SYSTEMTIME Local(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(y);
    t.wMonth = static_cast<WORD>(mo);
    t.wDay = static_cast<WORD>(d);
    t.wHour = static_cast<WORD>(h);
    t.wMinute = static_cast<WORD>(mi);
    t.wSecond = static_cast<WORD>(s);
    t.wMilliseconds = static_cast<WORD>(ms);
    return t;
}

std::string DeviceClockFile() {
    std::ifstream in(kDeviceDir + "/clock");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

constexpr DWORD k2010_06_15_123456 = 3485594096u;  // NTP seconds of 2010-06-15 12:34:56 UTC
constexpr DWORD kHalfSecond = 2147483648u;

struct PlanCase {
    const char* what;
    DWORD seconds, fraction, startTick, endTick;
    LONG offset;
    DWORD waitMs;
    const char* newUtc;
};

const PlanCase kPlanCases[] = {
    {"half a second plus 120 ms elapsed waits 580 ms for the next second",
     k2010_06_15_123456, kHalfSecond, 1000, 1120, 0, 580, "2010-06-15 12:34:57"},
    {"an offset of +30 s is added", k2010_06_15_123456, kHalfSecond, 1000, 1120, 30, 580, "2010-06-15 12:35:27"},
    {"an offset of -30 s is subtracted", k2010_06_15_123456, kHalfSecond, 1000, 1120, -30, 580, "2010-06-15 12:34:27"},
    {"the largest fraction counts as a whole second", k2010_06_15_123456, 4294967295u, 5, 5, 0, 1200, "2010-06-15 12:34:58"},
    {"999 ms past the second waits 201 ms", k2010_06_15_123456, 0, 0, 999, 0, 201, "2010-06-15 12:34:57"},
    {"1000 ms past the second adds a second and waits 1200 ms", k2010_06_15_123456, 0, 0, 1000, 0, 1200, "2010-06-15 12:34:58"},
    {"11 s of elapsed ticks add 11 s", k2010_06_15_123456, 0, 0, 11000, 0, 1200, "2010-06-15 12:35:08"},
    {"a tick counter that wrapped counts no elapsed time", k2010_06_15_123456, kHalfSecond, 4294967000u, 100, 0, 700, "2010-06-15 12:34:57"},
    {"the largest offset is applied exactly", k2010_06_15_123456, 0, 0, 0, 9999999, 1200, "2010-10-09 06:21:36"},
    {"the most negative offset is applied exactly", k2010_06_15_123456, 0, 0, 0, -9999999, 1200, "2010-02-19 18:48:18"},
    {"the last count before the 2036 wrap", 4294967295u, 0, 0, 0, 0, 1200, "2036-02-07 06:28:16"},
    {"count 0 is the 2036 wrap", 0, 0, 0, 0, 0, 1200, "2036-02-07 06:28:17"},
    {"61505151 is the last second of signed 32-bit Unix time", 61505151u, 0, 0, 0, 0, 1200, "2038-01-19 03:14:08"},
    {"61505152 reads as 1901", 61505152u, 0, 0, 0, 0, 1200, "1901-12-13 20:45:53"},
    {"the count before 1970 reads as 1969", 2208988799u, 0, 0, 0, 0, 1200, "1970-01-01 00:00:00"},
};

TEST(PlanClockStep, WaitsForTheNextServerSecondAndAddsItWithTheOffset) {
    for (const PlanCase& c : kPlanCases) {
        const SntpReplyTimes times = {c.seconds, c.fraction, c.startTick, c.endTick};
        const ClockStep step = PlanClockStep(&times, c.offset);
        EXPECT_EQ(step.waitMs, c.waitMs) << c.what;
        EXPECT_EQ(UtcText(step.newUtc), c.newUtc) << c.what;
    }
}

TEST(PlanClockStep, WorkedExampleGivesTheExactFileTime) {
    const SntpReplyTimes times = {k2010_06_15_123456, kHalfSecond, 1000, 1120};
    EXPECT_EQ(PlanClockStep(&times, 0).newUtc, 129210788970000000ULL);
}

TEST(SettableYear, WindowIncludesBothBounds) {
    EXPECT_FALSE(IsSettableYear(2008));
    EXPECT_TRUE(IsSettableYear(2009));
    EXPECT_TRUE(IsSettableYear(2099));
    EXPECT_FALSE(IsSettableYear(2100));
}

struct SetCase {
    const char* what;
    DWORD seconds;
    LONG offset;
    const char* newLocal;  // nullptr: refused with 009, clock untouched
};

// Fraction 0 and 999 elapsed ms: the new time is the transmit second plus one, after 201 ms.
const SetCase kSetCases[] = {
    {"local 2008-12-31 23:59:59 is before the window", 3439724398u, 0, nullptr},
    {"local 2009-01-01 00:00:00 is the first settable second", 3439724399u, 0, "2009-01-01 00:00:00.000"},
    {"an offset that moves a settable time out of the window", 3439724399u, -1, nullptr},
    {"an offset that moves the time into the window", 3439724398u, 1, "2009-01-01 00:00:00.000"},
    {"a count that reads as 1901", 61505152u, 0, nullptr},
    {"the 2036 wrap is settable", 0, 0, "2036-02-07 15:28:17.000"},
};

TEST(SetClockFromReply, SetsLocalTimeOnlyInsideTheYearWindow) {
    for (const SetCase& c : kSetCases) {
        const std::string clockBefore = DeviceClockFile();
        const SntpReplyTimes times = {c.seconds, 0, 0, 999};
        ClockChange change{};
        const FailureCode result = SetClockFromReply(&times, c.offset, &change);
        if (!c.newLocal) {
            EXPECT_EQ(result, FAILURE_CLOCK) << c.what;
            EXPECT_EQ(DeviceClockFile(), clockBefore) << c.what;
            continue;
        }
        EXPECT_EQ(result, FAILURE_NONE) << c.what;
        EXPECT_EQ(LocalText(change.newTime), c.newLocal) << c.what;
        EXPECT_NE(DeviceClockFile(), clockBefore) << c.what << ": the device clock was not set";
    }
}

TEST(SetClockFromReply, WorkedExampleOnADeviceNineHoursAheadOfUtc) {
    const SntpReplyTimes times = {k2010_06_15_123456, kHalfSecond, 1000, 1120};
    ClockChange change{};
    ASSERT_EQ(SetClockFromReply(&times, 0, &change), FAILURE_NONE);
    EXPECT_EQ(LocalText(change.newTime), "2010-06-15 21:34:57.000");

    change.oldTime = Local(2010, 6, 15, 21, 35, 0, 400);
    WCHAR text[CLOCK_CHANGE_TEXT_CHARS] = {};
    FormatClockChange(&change, text, CLOCK_CHANGE_TEXT_CHARS);
    EXPECT_STREQ(text, L"2010/06/15 21:34:57 \nに設定しました。（-3秒）");
}

struct SecondsCase {
    const char* what;
    SYSTEMTIME time;
    DWORD seconds;
};

TEST(SecondsSince1900, CountsWholeSecondsModulo2To32) {
    const SecondsCase cases[] = {
        {"1970 begins 2208988800 s after 1900", Local(1970, 1, 1, 0, 0, 0), 2208988800u},
        {"the last second before the wrap", Local(2036, 2, 7, 6, 28, 15), 4294967295u},
        {"the count wraps to 0", Local(2036, 2, 7, 6, 28, 16), 0},
        {"milliseconds are dropped", Local(2010, 6, 15, 12, 0, 0, 999), 3485592000u},
        {"a whole second", Local(2010, 6, 15, 12, 0, 0), 3485592000u},
    };
    for (const SecondsCase& c : cases) EXPECT_EQ(SecondsSince1900(&c.time), c.seconds) << c.what;
}

struct TextCase {
    const char* what;
    SYSTEMTIME oldTime, newTime;
    const wchar_t* text;
};

TEST(FormatClockChange, ShowsTheNewTimeAndTheSignedChange) {
    const TextCase cases[] = {
        {"a clock that already showed the new second", Local(2010, 6, 15, 21, 34, 57, 800),
         Local(2010, 6, 15, 21, 34, 57), L"2010/06/15 21:34:57 \nに設定しました。（+0秒）"},
        {"a clock put forward by an hour", Local(2010, 6, 15, 20, 34, 57), Local(2010, 6, 15, 21, 34, 57),
         L"2010/06/15 21:34:57 \nに設定しました。（+3600秒）"},
        {"forward across the 2036 wrap", Local(2036, 2, 7, 6, 28, 10), Local(2036, 2, 7, 6, 28, 20),
         L"2036/02/07 06:28:20 \nに設定しました。（+10秒）"},
        {"back across the 2036 wrap", Local(2036, 2, 7, 6, 28, 20), Local(2036, 2, 7, 6, 28, 10),
         L"2036/02/07 06:28:10 \nに設定しました。（-10秒）"},
    };
    for (const TextCase& c : cases) {
        const ClockChange change = {c.oldTime, c.newTime};
        WCHAR text[CLOCK_CHANGE_TEXT_CHARS] = {};
        FormatClockChange(&change, text, CLOCK_CHANGE_TEXT_CHARS);
        EXPECT_STREQ(text, c.text) << c.what;
    }
}

}  // namespace
