// Winsock 1.1 over the host's sockets: start-up, datagrams as Winsock reports them, the
// resolver and the errors of invalid calls. Only 127.0.0.1 is used.
#include "udp_peer.h"

#include <winsock.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using platformtest::UdpPeer;

class PlatformSocket : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data_), 0); }
    void TearDown() override { WSACleanup(); }

    SOCKET ConnectedTo(uint16_t port) {
        const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
        EXPECT_NE(s, INVALID_SOCKET);
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_port = htons(port);
        peer.sin_addr.s_addr = htonl(0x7F000001);
        EXPECT_EQ(connect(s, reinterpret_cast<const sockaddr*>(&peer), sizeof peer), 0);
        u_long nonBlocking = 1;
        EXPECT_EQ(ioctlsocket(s, FIONBIO, &nonBlocking), 0);
        return s;
    }

    WSADATA data_{};
};

TEST(PlatformWinsock, StartupOffersVersion11) {
    const struct {
        const char* sentence;
        WORD requested;
        int result;
    } cases[] = {
        {"1.1 is what the library offers", MAKEWORD(1, 1), 0},
        {"a later version gets 1.1, for the caller to check", MAKEWORD(2, 2), 0},
        {"1.0 is too old", MAKEWORD(1, 0), WSAVERNOTSUPPORTED},
        {"0.0 is no version", MAKEWORD(0, 0), WSAVERNOTSUPPORTED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        WSADATA data{};
        EXPECT_EQ(WSAStartup(c.requested, &data), c.result);
        EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
        if (c.result == 0) {
            EXPECT_EQ(WSACleanup(), 0);
        }
    }
    EXPECT_EQ(socket(AF_INET, SOCK_DGRAM, 0), INVALID_SOCKET) << "every start-up was cleaned up";
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(gethostbyname("127.0.0.1"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST_F(PlatformSocket, DatagramsArriveAsWinsockReportsThem) {
    UdpPeer peer;
    const SOCKET s = ConnectedTo(peer.Port());
    char buffer[48];
    EXPECT_EQ(recv(s, buffer, sizeof buffer, 0), SOCKET_ERROR) << "nothing is waiting";
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);

    const std::string request(48, '\x23');
    ASSERT_EQ(send(s, request.data(), 48, 0), 48);
    ASSERT_EQ(peer.Receive(), request);
    std::string oversized(100, '\0');
    for (size_t i = 0; i < oversized.size(); ++i) oversized[i] = static_cast<char>(i);
    peer.Reply(oversized);
    peer.Reply("");
    peer.Reply(std::string(48, '\x24'));

    EXPECT_EQ(recv(s, buffer, sizeof buffer, 0), SOCKET_ERROR) << "a datagram longer than the buffer";
    EXPECT_EQ(WSAGetLastError(), WSAEMSGSIZE);
    EXPECT_EQ(std::string(buffer, 48), oversized.substr(0, 48)) << "its first bytes are copied";
    EXPECT_EQ(recv(s, buffer, sizeof buffer, 0), 0) << "an empty datagram; the long one was consumed";
    EXPECT_EQ(recv(s, buffer, sizeof buffer, 0), 48);
    EXPECT_EQ(std::string(buffer, 48), std::string(48, '\x24'));
    EXPECT_EQ(recv(s, buffer, sizeof buffer, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    EXPECT_EQ(closesocket(s), 0);
}

TEST_F(PlatformSocket, AClosedPortIsReportedAsAReset) {
    uint16_t closedPort;
    {
        UdpPeer gone;
        closedPort = gone.Port();
    }
    const SOCKET s = ConnectedTo(closedPort);
    ASSERT_EQ(send(s, "x", 1, 0), 1);
    char buffer[48];
    EXPECT_EQ(recv(s, buffer, sizeof buffer, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
    closesocket(s);
}

TEST_F(PlatformSocket, GethostbynameGivesIPv4Entries) {
    for (const char* name : {"127.0.0.1", "localhost"}) {
        SCOPED_TRACE(name);
        const hostent* entry = gethostbyname(name);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->h_addrtype, AF_INET);
        EXPECT_EQ(entry->h_length, 4);
        ASSERT_NE(entry->h_addr_list[0], nullptr);
        bool loopback = false;
        size_t count = 0;
        for (; entry->h_addr_list[count]; ++count)
            loopback |= std::string(entry->h_addr_list[count], 4) == std::string("\x7F\0\0\x01", 4);
        EXPECT_TRUE(loopback);
        EXPECT_LT(count, 64u) << "the list ends with NULL";
    }
    const struct {
        const char* sentence;
        std::string name;
    } unresolvable[] = {
        {"a reserved name that never resolves", "no-such-host.invalid"},
        {"a name longer than DNS allows", std::string(300, 'a')},
        {"code page bytes that are no host name", "\x83\x7A\x83\x58\x83\x67"},
    };
    for (const auto& c : unresolvable) {
        SCOPED_TRACE(c.sentence);
        EXPECT_EQ(gethostbyname(c.name.c_str()), nullptr);
        EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
    }
}

TEST_F(PlatformSocket, InvalidCallsFailWithWinsockErrors) {
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    sockaddr_in anyAddress{};
    anyAddress.sin_family = AF_INET;
    anyAddress.sin_port = htons(123);
    const struct {
        const char* sentence;
        std::function<int()> call;
        int error;
    } cases[] = {
        {"only IPv4 sockets exist", [] { return static_cast<int>(socket(23, SOCK_DGRAM, 0)); }, WSAEAFNOSUPPORT},
        {"only datagram and stream sockets exist", [] { return static_cast<int>(socket(AF_INET, 3, 0)); }, WSAESOCKTNOSUPPORT},
        {"connect needs an address", [&] { return connect(s, nullptr, 16); }, WSAEFAULT},
        {"connect needs the whole address", [&] { return connect(s, reinterpret_cast<sockaddr*>(&anyAddress), 8); }, WSAEFAULT},
        {"the peer cannot be INADDR_ANY", [&] { return connect(s, reinterpret_cast<sockaddr*>(&anyAddress), 16); }, WSAEADDRNOTAVAIL},
        {"FIONBIO needs its argument", [&] { return ioctlsocket(s, FIONBIO, nullptr); }, WSAEFAULT},
        {"a negative length", [&] { char b[4]; return recv(s, b, -1, 0); }, WSAEFAULT},
        {"an unknown socket", [] { return send(static_cast<SOCKET>(999999), "x", 1, 0); }, WSAENOTSOCK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        EXPECT_EQ(c.call(), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), c.error);
    }
    EXPECT_EQ(closesocket(s), 0);
    EXPECT_EQ(closesocket(s), SOCKET_ERROR) << "a socket is closed once";
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
}

}  // namespace
