// The kernel's time services: tick count, calendar conversions, the device clock and the
// host time zone.
#include "platform_child.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <sstream>

namespace {

using testsupport::EmulatedDevice;

uint64_t Ticks(const FILETIME& ft) { return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }
FILETIME FileTime(uint64_t ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

TEST(PlatformTicks, StartsAtTheGivenCountAndWrapsAt32Bits) {
    EmulatedDevice device;
    device.env["CE_TICK_START"] = "4294967000";
    const std::vector<std::string> ticks = Words(platformtest::RunChild(device, {"ticks", "sleep", "600", "ticks"}));
    ASSERT_EQ(ticks.size(), 2u);
    const uint32_t before = static_cast<uint32_t>(std::stoul(ticks[0]));
    const uint32_t after = static_cast<uint32_t>(std::stoul(ticks[1]));
    EXPECT_LT(before - 4294967000u, 5000u) << "the count starts near CE_TICK_START";
    EXPECT_LT(after, before) << "the count wrapped";
    EXPECT_GE(static_cast<uint32_t>(after - before), 600u) << "Sleep sleeps at least as long as asked";
    EXPECT_LT(static_cast<uint32_t>(after - before), 5600u);
}

struct CalendarCase {
    const char* sentence;
    SYSTEMTIME time;  // wDayOfWeek as the conversion fills it
    uint64_t ticks;
};

const CalendarCase kCalendarCases[] = {
    {"the FILETIME epoch is Monday 1601-01-01", {1601, 1, 1, 1, 0, 0, 0, 0}, 0},
    {"the Unix epoch is a Thursday", {1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ull},
    {"milliseconds are kept", {2010, 6, 2, 15, 12, 34, 57, 999}, 129210788979990000ull},
    {"a leap day in a leap century", {2000, 2, 2, 29, 23, 59, 59, 0}, 125963423990000000ull},
    {"the NTP era wraps on a Thursday", {2036, 2, 4, 7, 6, 28, 16, 0}, 137304520960000000ull},
    {"the day after 2100-02-28 is March 1st", {2100, 3, 1, 1, 0, 0, 0, 0}, 157520160000000000ull},
    {"the last representable calendar millisecond", {30827, 12, 5, 31, 23, 59, 59, 999}, 9223149887999990000ull},
};

TEST(PlatformCalendar, ConvertsBothWaysWithTheDayOfWeek) {
    for (const CalendarCase& c : kCalendarCases) {
        SCOPED_TRACE(c.sentence);
        SYSTEMTIME st{};
        const FILETIME ft = FileTime(c.ticks);
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
        EXPECT_EQ(std::memcmp(&st, &c.time, sizeof st), 0)
            << st.wYear << "-" << st.wMonth << "-" << st.wDay << " dow " << st.wDayOfWeek << " " << st.wHour << ":"
            << st.wMinute << ":" << st.wSecond << "." << st.wMilliseconds;
        SYSTEMTIME in = c.time;
        in.wDayOfWeek = 6;  // ignored on the way in
        FILETIME back{};
        ASSERT_TRUE(SystemTimeToFileTime(&in, &back));
        EXPECT_EQ(Ticks(back), c.ticks);
    }
}

TEST(PlatformCalendar, EveryDayFrom1601To30827FollowsThePreviousOne) {
    const uint64_t day = 864000000000ull;
    SYSTEMTIME previous{};
    FILETIME ft = FileTime(0);
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &previous));
    for (uint64_t ticks = day;; ticks += day) {
        SYSTEMTIME st{};
        ft = FileTime(ticks);
        if (!FileTimeToSystemTime(&ft, &st)) {
            EXPECT_EQ(previous.wYear, 30827) << "conversion stops only after the last year";
            break;
        }
        const bool nextDay = st.wYear == previous.wYear && st.wMonth == previous.wMonth && st.wDay == previous.wDay + 1;
        const bool nextMonth = st.wYear == previous.wYear && st.wMonth == previous.wMonth + 1 && st.wDay == 1;
        const bool nextYear = st.wYear == previous.wYear + 1 && st.wMonth == 1 && st.wDay == 1 && previous.wMonth == 12;
        ASSERT_TRUE(nextDay || nextMonth || nextYear) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
        ASSERT_EQ(st.wDayOfWeek, (previous.wDayOfWeek + 1) % 7);
        FILETIME back{};
        ASSERT_TRUE(SystemTimeToFileTime(&st, &back));
        ASSERT_EQ(Ticks(back), ticks);
        previous = st;
    }
}

TEST(PlatformCalendar, RejectsWhatIsNoCalendarTime) {
    const struct {
        const char* sentence;
        SYSTEMTIME time;
    } cases[] = {
        {"month 13", {2010, 13, 0, 1, 0, 0, 0, 0}},
        {"month 0", {2010, 0, 0, 1, 0, 0, 0, 0}},
        {"day 0", {2010, 1, 0, 0, 0, 0, 0, 0}},
        {"February 29th of a common year", {2100, 2, 0, 29, 0, 0, 0, 0}},
        {"April 31st", {2010, 4, 0, 31, 0, 0, 0, 0}},
        {"hour 24", {2010, 1, 0, 1, 24, 0, 0, 0}},
        {"minute 60", {2010, 1, 0, 1, 0, 60, 0, 0}},
        {"second 60", {2010, 1, 0, 1, 0, 0, 60, 0}},
        {"millisecond 1000", {2010, 1, 0, 1, 0, 0, 0, 1000}},
        {"a year before 1601", {1600, 12, 0, 31, 23, 59, 59, 999}},
        {"a year after 30827", {30828, 1, 0, 1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        FILETIME ft{123, 456};
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&c.time, &ft));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    const FILETIME topBitSet{0, 0x80000000u};
    SYSTEMTIME st{};
    EXPECT_FALSE(FileTimeToSystemTime(&topBitSet, &st));
}

TEST(PlatformClock, LocalTimeFollowsTheHostTimeZone) {
    EmulatedDevice device;
    device.env["TZ"] = "JST-9";
    // 2010-06-15 12:34:57 UTC, nine hours ahead and back.
    EXPECT_EQ(platformtest::RunChild(device, {"tolocal", "129210788970000000", "toutc", "129211112970000000"}),
              "129211112970000000 129210788970000000");
}

TEST(PlatformClock, SetLocalTimeMovesTheDeviceClockOfEveryProgram) {
    EmulatedDevice device;
    device.env["TZ"] = "JST-9";
    const std::vector<std::string> words =
        Words(platformtest::RunChild(device, {"setlocal", "2010-06-15T21:34:57.000", "getlocal", "getsystem"}));
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0], "1");
    EXPECT_EQ(words[1].substr(0, 19), "2010-06-15T21:34:57");
    EXPECT_EQ(words[2].substr(0, 19), "2010-06-15T12:34:57");

    // The clock file holds the offset from the host's UTC clock.
    const auto hostNow = std::chrono::system_clock::now().time_since_epoch();
    const long long expected = 1276605297000LL - std::chrono::duration_cast<std::chrono::milliseconds>(hostNow).count();
    EXPECT_NEAR(static_cast<double>(device.ClockOffsetMs()), static_cast<double>(expected), 3000.0);

    // Another program on the device, in another time zone, reads the same clock.
    device.env["TZ"] = "UTC0";
    EXPECT_EQ(platformtest::RunChild(device, {"getlocal"}).substr(0, 18), "2010-06-15T12:34:5");

    const std::vector<testsupport::Json> sets = device.Journal("SetLocalTime");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0]["time"].string, "2010-06-15T21:34:57.000");
    EXPECT_TRUE(sets[0]["ok"].boolean);
    EXPECT_EQ(sets[0]["host_utc"].string.back(), 'Z');
}

TEST(PlatformClock, AFailedSetLeavesTheClockAlone) {
    const struct {
        const char* sentence;
        const char* failures;
        const char* time;
        const char* result;
    } cases[] = {
        {"a month 13 is an invalid parameter", "", "2010-13-15T21:34:57.000", "0:87"},
        {"an injected failure is a refused privilege", "SetLocalTime", "2010-06-15T21:34:57.000", "0:1314"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        EmulatedDevice device;
        device.SetClockOffsetMs(-5000);
        device.env["CE_FAIL"] = c.failures;
        EXPECT_EQ(platformtest::RunChild(device, {"setlocal", c.time}), c.result);
        EXPECT_EQ(device.ClockOffsetMs(), -5000);
        const std::vector<testsupport::Json> sets = device.Journal("SetLocalTime");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_FALSE(sets[0]["ok"].boolean);
    }
}

TEST(PlatformClock, AClockFileThatMakesNoSenseReadsAsTheHostClock) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    const std::string hostYear = std::to_string(utc.tm_year + 1900);
    for (const char* content : {"soon\n", "99999999999999999999\n", "-900000000000001\n", "9223372036854775807"}) {
        SCOPED_TRACE(content);
        EmulatedDevice device;
        testsupport::WriteFile(device.Dir() + "/clock", content);
        EXPECT_EQ(platformtest::RunChild(device, {"getsystem"}).substr(0, 4), hostYear);
    }
}

}  // namespace
