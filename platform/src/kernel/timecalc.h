// Time arithmetic of the kernel in one place: FILETIME ticks (100 ns since 1601-01-01),
// calendar fields, the host's clocks and the host time zone's bias.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace kernel {

constexpr int64_t kTicksPerMillisecond = 10000;
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kTicksPerDay = 86400 * kTicksPerSecond;
constexpr int64_t kUnixEpochTicks = 116444736000000000;  // 1601-01-01 to 1970-01-01
constexpr int64_t kMaxFileTimeTicks = INT64_MAX;          // FILETIME values with the top bit set are invalid
constexpr int64_t kLastCalendarTicks = 9223149887999999999;  // 30827-12-31 23:59:59.9999999, the last SYSTEMTIME
constexpr int64_t kMaxOffsetMs = 900000000000000;           // about 28500 years: a device clock offset beyond is unreadable

inline int64_t TicksOf(const FILETIME& ft) {
    return static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}
inline FILETIME FileTimeOf(int64_t ticks) {
    const uint64_t value = static_cast<uint64_t>(ticks);
    return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

// Calendar fields <-> ticks, no time zone. Empty for fields outside 1601..30827 or not a
// real date and time; day of week is ignored on the way in and filled on the way out.
std::optional<int64_t> TicksFromSystemTime(const SYSTEMTIME& st);
std::optional<SYSTEMTIME> SystemTimeFromTicks(int64_t ticks);

// The host's UTC clock in ticks.
int64_t HostUtcNowTicks();
// The host time zone's offset from UTC (local minus UTC) in force at the given UTC instant.
int64_t LocalBiasTicksAt(int64_t utcTicks);

}  // namespace kernel
