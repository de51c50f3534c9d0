// The clock arithmetic (NTP seconds, FILETIME, tick counts) and the set itself.
#include "ClockSetting.h"

#include <stdio.h>
#include <wchar.h>

#define SECONDS_1900_TO_1970 2208988800u
// 2^32 - SECONDS_1900_TO_1970: added modulo 2^32 to NTP seconds it gives seconds since 1970.
#define NTP_TO_UNIX_SECONDS 2085978496u
// 116444736000000000 intervals of 100 ns from 1601-01-01 to 1970-01-01 (C++03 has no
// 64-bit literal, so the count is put together from its halves).
static const LONGLONG FILETIME_1601_TO_1970 = ((LONGLONG)0x019DB1DE << 32) | 0xD53E8000u;
static const LONGLONG FILETIME_UNITS_PER_SECOND = 10000000;
// 2^32 / 1000 rounded down: turns an NTP fraction into milliseconds (0..1000).
#define NTP_FRACTION_PER_MS 4294967u
#define MS_PER_SECOND 1000u
// The wait reaches the next server second and goes 200 ms beyond it.
#define WAIT_PAST_SECOND_MS 1200u
#define LOWEST_SETTABLE_YEAR 2009
#define HIGHEST_SETTABLE_YEAR 2099

ULONGLONG ServerSecondFileTime(DWORD transmitSeconds) {
    const LONG sinceUnixEpoch = (LONG)(transmitSeconds + NTP_TO_UNIX_SECONDS);
    return (ULONGLONG)((LONGLONG)sinceUnixEpoch * FILETIME_UNITS_PER_SECOND + FILETIME_1601_TO_1970);
}

ClockStep PlanClockStep(const SntpReplyTimes* times, LONG offsetSeconds) {
    const DWORD fractionMs = times->transmitFraction / NTP_FRACTION_PER_MS;
    // A tick counter that wrapped during the exchange makes the elapsed time count as 0.
    const DWORD end = times->endTick < times->startTick ? times->startTick : times->endTick;
    // The whole interval from the send to the reading after receipt; not halved.
    const DWORD pastServerSecond = fractionMs + (end - times->startTick);
    const DWORD wholeSeconds = pastServerSecond / MS_PER_SECOND;
    const DWORD restMs = pastServerSecond % MS_PER_SECOND;

    ClockStep step;
    step.waitMs = WAIT_PAST_SECOND_MS - restMs;
    // The transmit second, the whole seconds that passed, the second the wait reaches, the offset.
    const LONGLONG adjustSeconds = (LONGLONG)offsetSeconds + (LONGLONG)wholeSeconds + 1;
    step.newUtc = ServerSecondFileTime(times->transmitSeconds) + (ULONGLONG)(adjustSeconds * FILETIME_UNITS_PER_SECOND);
    return step;
}

BOOL IsSettableYear(WORD year) { return year >= LOWEST_SETTABLE_YEAR && year <= HIGHEST_SETTABLE_YEAR; }

static FILETIME ToFileTime(ULONGLONG count) {
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)(count & 0xFFFFFFFFu);
    ft.dwHighDateTime = (DWORD)(count >> 32);
    return ft;
}

FailureCode SetClockFromReply(const SntpReplyTimes* times, LONG offsetSeconds, ClockChange* change) {
    const ClockStep step = PlanClockStep(times, offsetSeconds);

    // Nothing signals this event: the wait lasts its whole time-out unless someone does.
    HANDLE waitEvent = CreateEventW(NULL, FALSE, FALSE, L"Horvane_Wait");
    WaitForSingleObject(waitEvent, step.waitMs);

    const FILETIME utc = ToFileTime(step.newUtc);
    FILETIME local;
    ZeroMemory(&local, sizeof(local));
    FileTimeToLocalFileTime(&utc, &local);
    ZeroMemory(&change->newTime, sizeof(change->newTime));
    FileTimeToSystemTime(&local, &change->newTime);
    if (!IsSettableYear(change->newTime.wYear)) return FAILURE_CLOCK;

    GetLocalTime(&change->oldTime);
    if (!SetLocalTime(&change->newTime)) return FAILURE_CLOCK;
    return FAILURE_NONE;
}

DWORD SecondsSince1900(const SYSTEMTIME* time) {
    FILETIME ft;
    ZeroMemory(&ft, sizeof(ft));
    SystemTimeToFileTime(time, &ft);
    const LONGLONG count = (LONGLONG)(((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime);
    const LONGLONG sinceUnixEpoch = (count - FILETIME_1601_TO_1970) / FILETIME_UNITS_PER_SECOND;
    return (DWORD)sinceUnixEpoch - NTP_TO_UNIX_SECONDS;
}

void FormatClockChange(const ClockChange* change, LPWSTR text, size_t count) {
    const DWORD oldCount = SecondsSince1900(&change->oldTime);
    const DWORD newCount = SecondsSince1900(&change->newTime);
    // The signed 32-bit difference stays right when the two counts straddle the 2036 wrap.
    const double seconds = (double)(LONG)(newCount - oldCount);
    const SYSTEMTIME* t = &change->newTime;
    swprintf(text, count, L"%04d/%02d/%02d %02d:%02d:%02d \nに設定しました。（%+.0f秒）", t->wYear, t->wMonth,
             t->wDay, t->wHour, t->wMinute, t->wSecond, seconds);
}
