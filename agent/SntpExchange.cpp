// The SNTP exchange: one request, a busy receive window, the reply's checks.
#include "SntpExchange.h"

// Byte 0 of the request: leap indicator 0, version 4, mode 3 (client); all else zero.
#define SNTP_REQUEST_WORD0 0x23000000u
#define SNTP_LEAP_INDICATOR_MASK 0xC0000000u
#define SNTP_LEAP_UNSYNCHRONISED 0xC0000000u
#define SNTP_TRANSMIT_SECONDS_WORD 10
#define SNTP_TRANSMIT_FRACTION_WORD 11

FailureCode ReadSntpReply(const SntpPacket* reply, SntpReplyTimes* times) {
    const DWORD word0 = ntohl(reply->words[0]);
    if ((word0 & SNTP_LEAP_INDICATOR_MASK) == SNTP_LEAP_UNSYNCHRONISED) return FAILURE_UNSYNCHRONISED;
    const DWORD seconds = ntohl(reply->words[SNTP_TRANSMIT_SECONDS_WORD]);
    const DWORD fraction = ntohl(reply->words[SNTP_TRANSMIT_FRACTION_WORD]);
    // An all-zero timestamp means "unknown" in NTP (and is what a short reply reads as):
    // taken as a time it would set the clock to 2036-02-07.
    if (seconds == 0 && fraction == 0) return FAILURE_UNSYNCHRONISED;
    times->transmitSeconds = seconds;
    times->transmitFraction = fraction;
    return FAILURE_NONE;
}

FailureCode ExchangeSntp(SOCKET s, SntpPacket* request, SntpPacket* reply, SntpReplyTimes* times) {
    request->words[0] = htonl(SNTP_REQUEST_WORD0);
    if (send(s, (const char*)request->words, SNTP_PACKET_BYTES, 0) == SOCKET_ERROR) return FAILURE_SEND;
    times->startTick = GetTickCount();

    int received = 0;
    while (GetTickCount() - times->startTick <= SNTP_RECEIVE_WINDOW_MS) {
        received = recv(s, (char*)reply->words, SNTP_PACKET_BYTES, 0);
        if (received > 0) break;
    }
    times->endTick = GetTickCount();
    if (received <= 0) return FAILURE_NO_REPLY;
    return ReadSntpReply(reply, times);
}
