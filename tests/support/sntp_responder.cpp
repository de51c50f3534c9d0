// The scriptable SNTP server: one UDP socket on loopback, served by a thread.
#include "sntp_responder.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {
constexpr uint64_t kSeconds1900To1970 = 2208988800u;

void PutWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}
}  // namespace

void NtpNow(uint32_t* seconds, uint32_t* fraction) {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count();
    *seconds = static_cast<uint32_t>(static_cast<uint64_t>(ns / 1000000000) + kSeconds1900To1970);
    *fraction = static_cast<uint32_t>((static_cast<uint64_t>(ns % 1000000000) << 32) / 1000000000);
}

Datagram ReplyNow(uint8_t byte0, size_t length) {
    Datagram d;
    d.bytes.assign(length, 0);
    if (length > 0) d.bytes[0] = byte0;
    d.stampNow = true;
    return d;
}

Datagram RawDatagram(std::vector<uint8_t> bytes) {
    Datagram d;
    d.bytes = std::move(bytes);
    return d;
}

Datagram FixedReply(uint8_t byte0, uint32_t seconds, uint32_t fraction) {
    Datagram d;
    d.bytes.assign(48, 0);
    d.bytes[0] = byte0;
    PutWord(d.bytes, 40, seconds);
    PutWord(d.bytes, 44, fraction);
    return d;
}

Datagram Delayed(Datagram datagram, int delayMs) {
    datagram.delayMs = delayMs;
    return datagram;
}

SntpResponder::SntpResponder(std::vector<Datagram> script, int port) : script_(std::move(script)) {
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) throw std::runtime_error("responder: socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd_);
        throw std::runtime_error("responder: cannot bind 127.0.0.1:" + std::to_string(port));
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread(&SntpResponder::Serve, this);
}

SntpResponder::~SntpResponder() {
    stop_ = true;
    thread_.join();
    ::close(fd_);
}

std::vector<std::vector<uint8_t>> SntpResponder::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void SntpResponder::Serve() {
    while (!stop_) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        uint8_t buffer[512];
        sockaddr_in client{};
        socklen_t clientLength = sizeof client;
        const ssize_t n = ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&client), &clientLength);
        if (n < 0) continue;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.emplace_back(buffer, buffer + n);
        }
        for (const Datagram& d : script_) {
            std::vector<uint8_t> bytes = d.bytes;
            if (d.stampNow) {
                uint32_t seconds = 0, fraction = 0;
                NtpNow(&seconds, &fraction);
                PutWord(bytes, 40, seconds);
                PutWord(bytes, 44, fraction);
            }
            // Stamped first: the delay is the reply's time in transit.
            if (d.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(d.delayMs));
            ::sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&client), clientLength);
        }
    }
}

}  // namespace testsupport
