// A UDP socket of the host on 127.0.0.1 for the Winsock tests.
#include "udp_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace platformtest {

UdpPeer::UdpPeer() : fd_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)), port_(0), sender_{} {
    sockaddr_in self{};
    self.sin_family = AF_INET;
    self.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof self;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&self), &length) != 0)
        throw std::runtime_error("cannot bind a UDP socket on 127.0.0.1");
    port_ = ntohs(self.sin_port);
}

UdpPeer::~UdpPeer() { ::close(fd_); }

std::string UdpPeer::Receive() {
    pollfd ready{fd_, POLLIN, 0};
    if (::poll(&ready, 1, 5000) != 1) return "(nothing)";
    char buffer[2048];
    socklen_t length = sizeof sender_;
    const ssize_t n = ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(sender_), &length);
    return n < 0 ? "(error)" : std::string(buffer, static_cast<size_t>(n));
}

void UdpPeer::Reply(const std::string& datagram) {
    ::sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(sender_), sizeof(sockaddr_in));
}

}  // namespace platformtest
