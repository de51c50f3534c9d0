// Calendar conversions of FILETIME ticks, the host's UTC clock and the host time zone's bias.
#include "kernel/timecalc.h"

#include <ctime>

namespace kernel {

namespace {

constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;
constexpr int64_t kDaysFrom1601To1970 = 134774;

bool IsLeap(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// Days from 1970-01-01 to a proleptic Gregorian date, and back (era-based algorithm: the
// calendar repeats every 400 years = 146097 days).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

}  // namespace

std::optional<int64_t> TicksFromSystemTime(const SYSTEMTIME& st) {
    if (st.wYear < kFirstYear || st.wYear > kLastYear || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
        st.wDay > DaysInMonth(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 ||
        st.wMilliseconds > 999)
        return std::nullopt;
    const int64_t days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) + kDaysFrom1601To1970;
    const int64_t seconds = st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
    return days * kTicksPerDay + seconds * kTicksPerSecond + st.wMilliseconds * kTicksPerMillisecond;
}

std::optional<SYSTEMTIME> SystemTimeFromTicks(int64_t ticks) {
    if (ticks < 0) return std::nullopt;
    const int64_t days = ticks / kTicksPerDay;
    const int64_t ticksOfDay = ticks % kTicksPerDay;
    int64_t year = 0;
    int month = 0, day = 0;
    CivilFromDays(days - kDaysFrom1601To1970, year, month, day);
    if (year > kLastYear) return std::nullopt;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday; Sunday is 0
    const int64_t seconds = ticksOfDay / kTicksPerSecond;
    st.wHour = static_cast<WORD>(seconds / 3600);
    st.wMinute = static_cast<WORD>(seconds / 60 % 60);
    st.wSecond = static_cast<WORD>(seconds % 60);
    st.wMilliseconds = static_cast<WORD>(ticksOfDay % kTicksPerSecond / kTicksPerMillisecond);
    return st;
}

int64_t HostUtcNowTicks() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return kUnixEpochTicks + static_cast<int64_t>(now.tv_sec) * kTicksPerSecond + now.tv_nsec / 100;
}

int64_t LocalBiasTicksAt(int64_t utcTicks) {
    const time_t seconds = static_cast<time_t>((utcTicks - kUnixEpochTicks) / kTicksPerSecond);
    static const bool zoneRead = (tzset(), true);  // the host's TZ, read once
    (void)zoneRead;
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return 0;
    return static_cast<int64_t>(local.tm_gmtoff) * kTicksPerSecond;
}

}  // namespace kernel
