// Reading a received reply: which replies are taken and what is read from them.
#include "SntpExchange.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A receive buffer as the exchange leaves it: zero-filled, then covered by the datagram.
SntpPacket Received(const std::vector<unsigned char>& datagram) {
    SntpPacket packet;
    std::memset(&packet, 0, sizeof packet);
    std::memcpy(packet.words, datagram.data(), std::min(datagram.size(), sizeof packet.words));
    return packet;
}

std::vector<unsigned char> Reply(unsigned char byte0, unsigned seconds, unsigned fraction) {
    std::vector<unsigned char> d(48, 0);
    d[0] = byte0;
    for (int i = 0; i < 4; ++i) {
        d[40 + i] = static_cast<unsigned char>(seconds >> (24 - 8 * i));
        d[44 + i] = static_cast<unsigned char>(fraction >> (24 - 8 * i));
    }
    return d;
}

std::vector<unsigned char> Cut(std::vector<unsigned char> datagram, size_t length) {
    datagram.resize(length);
    return datagram;
}

struct ReplyCase {
    const char* what;
    std::vector<unsigned char> datagram;
    FailureCode result;
};

TEST(ReadSntpReply, RejectsUnsynchronisedServersAndMissingTimes) {
    const ReplyCase cases[] = {
        {"version 4 server reply", Reply(0x24, 3485594096u, 1), FAILURE_NONE},
        {"version 3 server reply", Reply(0x1C, 3485594096u, 1), FAILURE_NONE},
        {"leap indicator 1 (a leap second ahead)", Reply(0x64, 3485594096u, 1), FAILURE_NONE},
        {"leap indicator 2", Reply(0xA4, 3485594096u, 1), FAILURE_NONE},
        {"mode 3, as in the request", Reply(0x23, 3485594096u, 1), FAILURE_NONE},
        {"seconds 0 with a fraction is a time after the 2036 wrap", Reply(0x24, 0, 1), FAILURE_NONE},
        {"leap indicator 3, version 4", Reply(0xE4, 3485594096u, 1), FAILURE_UNSYNCHRONISED},
        {"leap indicator 3, version 3", Reply(0xDC, 3485594096u, 1), FAILURE_UNSYNCHRONISED},
        {"a zero transmit timestamp is no time", Reply(0x24, 0, 0), FAILURE_UNSYNCHRONISED},
        {"a 1-byte reply has no time", {0x24}, FAILURE_UNSYNCHRONISED},
        {"a reply cut before its fraction has no time", Cut(Reply(0x24, 0, 7), 44), FAILURE_UNSYNCHRONISED},
    };
    for (const ReplyCase& c : cases) {
        const SntpPacket packet = Received(c.datagram);
        SntpReplyTimes times = {};
        EXPECT_EQ(ReadSntpReply(&packet, &times), c.result) << c.what;
    }
}

TEST(ReadSntpReply, ReadsTheTransmitTimestampInHostOrder) {
    const SntpPacket packet = Received(Reply(0x24, 3485594096u, 2147483648u));
    SntpReplyTimes times = {0, 0, 7, 9};
    ASSERT_EQ(ReadSntpReply(&packet, &times), FAILURE_NONE);
    EXPECT_EQ(times.transmitSeconds, 3485594096u);
    EXPECT_EQ(times.transmitFraction, 2147483648u);
    EXPECT_EQ(times.startTick, 7u);
    EXPECT_EQ(times.endTick, 9u);
}

}  // namespace
