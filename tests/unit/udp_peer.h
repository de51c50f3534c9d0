// A UDP socket of the host on 127.0.0.1 for the Winsock tests, which cannot include the
// host's socket headers next to winsock.h.
#pragma once

#include <cstdint>
#include <string>

namespace platformtest {

class UdpPeer {
public:
    UdpPeer();  // bound to 127.0.0.1 on a free port
    ~UdpPeer();
    UdpPeer(const UdpPeer&) = delete;
    UdpPeer& operator=(const UdpPeer&) = delete;

    uint16_t Port() const { return port_; }
    // Waits up to 5 s for a datagram; remembers its sender for Reply.
    std::string Receive();
    void Reply(const std::string& datagram);

private:
    int fd_;
    uint16_t port_;
    unsigned char sender_[16];  // the last sender's sockaddr_in
};

}  // namespace platformtest
