// One SNTP client exchange on a connected, non-blocking UDP socket: the request, the
// receive window and the reading of the reply's leap indicator and transmit timestamp.
#ifndef HORVANE_SNTPEXCHANGE_H
#define HORVANE_SNTPEXCHANGE_H

#include <winsock.h>

#include "FailureCode.h"

#define SNTP_PACKET_WORDS 12
#define SNTP_PACKET_BYTES 48
// Receive attempts go on while at most this many milliseconds have passed since the send.
#define SNTP_RECEIVE_WINDOW_MS 10000

// The 48-byte NTP message as twelve 32-bit words in network byte order.
struct SntpPacket {
    DWORD words[SNTP_PACKET_WORDS];
};

// The reply's transmit timestamp and the tick counts around the exchange.
struct SntpReplyTimes {
    DWORD transmitSeconds;  // seconds since 1900-01-01 00:00:00 UTC, modulo 2^32
    DWORD transmitFraction; // units of 2^-32 s
    DWORD startTick;        // read right after the send
    DWORD endTick;          // read right after the receive loop
};

// Sends the request (built in request) and polls the socket for the reply (into reply).
// Both buffers are zero-filled by the caller once per run; bytes of reply that a short
// datagram does not cover read as zero. Returns FAILURE_NONE with times filled, or
// FAILURE_SEND, FAILURE_NO_REPLY or FAILURE_UNSYNCHRONISED. Closes nothing.
FailureCode ExchangeSntp(SOCKET s, SntpPacket* request, SntpPacket* reply, SntpReplyTimes* times);

// Reads a received reply: leap indicator 3 (server not synchronised) and a zero transmit
// timestamp (the server sent no time) give FAILURE_UNSYNCHRONISED; otherwise FAILURE_NONE
// with transmitSeconds and transmitFraction filled.
FailureCode ReadSntpReply(const SntpPacket* reply, SntpReplyTimes* times);

#endif
