// Setting the device's local clock from an SNTP reply, and the text that reports the change.
#ifndef HORVANE_CLOCKSETTING_H
#define HORVANE_CLOCKSETTING_H

#include <windows.h>

#include "FailureCode.h"
#include "SntpExchange.h"

// Room for the success text, terminator included.
#define CLOCK_CHANGE_TEXT_CHARS 128

// The local time read just before the set, and the local time that was set.
struct ClockChange {
    SYSTEMTIME oldTime;
    SYSTEMTIME newTime;
};

// The arithmetic of one set, before any platform call: what to wait and what to set.
struct ClockStep {
    DWORD waitMs;       // until the next server second is reached, plus a margin: 201..1200
    ULONGLONG newUtc;   // FILETIME of the new time in UTC, a whole number of seconds
};

// The server's transmit second as a UTC FILETIME count: the NTP seconds are read as a
// signed offset from 1970, so counts after the 2036 wrap map to 2036..2038.
ULONGLONG ServerSecondFileTime(DWORD transmitSeconds);

// The wait and the new UTC time for a reply and the user's offset in seconds.
ClockStep PlanClockStep(const SntpReplyTimes* times, LONG offsetSeconds);

// Whether a local year may be set on the device.
BOOL IsSettableYear(WORD year);

// Waits for the next second boundary, converts to local time, checks the year and sets the
// clock. FAILURE_NONE with change filled, or FAILURE_CLOCK (year outside the window, clock
// untouched; or the platform refused the set).
FailureCode SetClockFromReply(const SntpReplyTimes* times, LONG offsetSeconds, ClockChange* change);

// Seconds since 1900-01-01 00:00:00 of a calendar time, modulo 2^32; milliseconds dropped.
DWORD SecondsSince1900(const SYSTEMTIME* time);

// The success text: the new time and the change in seconds, into text (count characters).
void FormatClockChange(const ClockChange* change, LPWSTR text, size_t count);

#endif
