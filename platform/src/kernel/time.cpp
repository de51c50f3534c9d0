// The device clock: its offset from the host's UTC clock in $CE_DEVICE_DIR/clock (or the
// host's own clock with CE_CLOCK=host), and the conversions between UTC and local time.
#include <windows.h>

#include "host/host.h"
#include "kernel/timecalc.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace kernel;

bool UsesHostClock() {
    const char* mode = std::getenv("CE_CLOCK");
    return mode && std::strcmp(mode, "host") == 0;
}

std::string OffsetFilePath() { return host::DeviceDir() + "/clock"; }

// The device clock's offset from the host's UTC clock; a missing or unreadable file is 0.
// The offset is bounded so that the arithmetic below cannot overflow.
int64_t DeviceOffsetMs() {
    if (UsesHostClock()) return 0;
    std::ifstream in(OffsetFilePath());
    long long offset = 0;
    if (!(in >> offset) || offset > kMaxOffsetMs || offset < -kMaxOffsetMs) return 0;
    return offset;
}

// Within the calendar's range whatever the clock file says.
int64_t ClampToCalendar(int64_t ticks) { return std::clamp<int64_t>(ticks, 0, kLastCalendarTicks); }

int64_t DeviceUtcNowTicks() { return ClampToCalendar(HostUtcNowTicks() + DeviceOffsetMs() * kTicksPerMillisecond); }

bool WriteDeviceOffset(int64_t offsetMs) {
    const std::string path = OffsetFilePath();
    const std::string temp = path + ".tmp." + std::to_string(getpid());
    FILE* out = std::fopen(temp.c_str(), "w");
    if (!out) return false;
    const bool written = std::fprintf(out, "%lld\n", static_cast<long long>(offsetMs)) > 0;
    if (std::fclose(out) != 0 || !written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool SetHostClock(int64_t utcTicks) {
    const int64_t sinceEpoch = utcTicks - kUnixEpochTicks;
    int64_t seconds = sinceEpoch / kTicksPerSecond;
    int64_t rest = sinceEpoch % kTicksPerSecond;
    if (rest < 0) {
        rest += kTicksPerSecond;
        --seconds;
    }
    const timespec when{static_cast<time_t>(seconds), static_cast<long>(rest * 100)};
    if (clock_settime(CLOCK_REALTIME, &when) == 0) return true;
    SetLastError(errno == EPERM ? ERROR_PRIVILEGE_NOT_HELD : ERROR_INVALID_PARAMETER);
    return false;
}

// Sets the device clock to a UTC time; on failure the last error says why.
bool SetDeviceUtc(int64_t utcTicks) {
    if (host::InjectedFailure("SetLocalTime")) {
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return false;
    }
    if (UsesHostClock()) return SetHostClock(utcTicks);
    // The file keeps whole milliseconds: rounded up, so that the clock never reads earlier
    // than what was set.
    const int64_t offsetTicks = utcTicks - HostUtcNowTicks();
    int64_t offsetMs = offsetTicks / kTicksPerMillisecond;
    if (offsetTicks > offsetMs * kTicksPerMillisecond) ++offsetMs;
    if (!WriteDeviceOffset(offsetMs)) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

void StoreSystemTime(int64_t ticks, LPSYSTEMTIME out) {
    if (!out) return;
    if (const auto st = SystemTimeFromTicks(ClampToCalendar(ticks))) *out = *st;
}

}  // namespace

void WINAPI GetSystemTime(LPSYSTEMTIME time) { StoreSystemTime(DeviceUtcNowTicks(), time); }

void WINAPI GetLocalTime(LPSYSTEMTIME time) {
    const int64_t utc = DeviceUtcNowTicks();
    StoreSystemTime(utc + LocalBiasTicksAt(utc), time);
}

BOOL WINAPI SetLocalTime(const SYSTEMTIME* time) {
    if (!time) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::optional<int64_t> local = TicksFromSystemTime(*time);
    bool ok = false;
    if (!local) {
        SetLastError(ERROR_INVALID_PARAMETER);
    } else {
        ok = SetDeviceUtc(*local - LocalBiasTicksAt(DeviceUtcNowTicks()));
    }
    host::JournalEntry("SetLocalTime")
        .Str("time", host::JournalLocalTime(time->wYear, time->wMonth, time->wDay, time->wHour, time->wMinute,
                                            time->wSecond, time->wMilliseconds))
        .Str("host_utc", host::JournalHostUtcNow())
        .Bool("ok", ok)
        .Write();
    return ok ? TRUE : FALSE;
}

namespace {

// Moves a FILETIME by the local bias (sign +1: UTC to local, -1: local to UTC). The device
// applies the bias in force now, not the one at the converted date.
BOOL ShiftByLocalBias(const FILETIME* in, LPFILETIME out, int sign) {
    if (!in || !out) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int64_t ticks = TicksOf(*in);
    const int64_t shift = sign * LocalBiasTicksAt(DeviceUtcNowTicks());
    if (ticks < 0 || (shift > 0 && ticks > kMaxFileTimeTicks - shift) || ticks + shift < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *out = FileTimeOf(ticks + shift);
    return TRUE;
}

}  // namespace

BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* utc, LPFILETIME local) { return ShiftByLocalBias(utc, local, +1); }

BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME utc) { return ShiftByLocalBias(local, utc, -1); }

BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
    const std::optional<SYSTEMTIME> st = fileTime ? SystemTimeFromTicks(TicksOf(*fileTime)) : std::nullopt;
    if (!st || !systemTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *systemTime = *st;
    return TRUE;
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime) {
    const std::optional<int64_t> ticks = systemTime ? TicksFromSystemTime(*systemTime) : std::nullopt;
    if (!ticks || !fileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *fileTime = FileTimeOf(*ticks);
    return TRUE;
}
