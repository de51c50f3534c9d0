// A scriptable SNTP server on 127.0.0.1, in a thread of the test: to every request it
// answers with the same scripted sequence of datagrams, including ones no real server sends.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace testsupport {

// One datagram of the script, sent after delayMs.
struct Datagram {
    std::vector<uint8_t> bytes;
    bool stampNow = false;  // bytes 40..47 get the host's UTC time at sending
    int delayMs = 0;        // in transit: sent this long after it was stamped
};

// A reply of `length` bytes (48 is a full message) whose first byte is byte0 and whose
// transmit timestamp is the host's time when it is sent.
Datagram ReplyNow(uint8_t byte0 = 0x24, size_t length = 48);
// A datagram sent exactly as given.
Datagram RawDatagram(std::vector<uint8_t> bytes);
// A 48-byte reply with a fixed transmit timestamp.
Datagram FixedReply(uint8_t byte0, uint32_t seconds, uint32_t fraction);
Datagram Delayed(Datagram datagram, int delayMs);

// The host's UTC time as NTP seconds and fraction.
void NtpNow(uint32_t* seconds, uint32_t* fraction);

class SntpResponder {
public:
    // An empty script answers nothing at all. Port 0 picks a free port.
    explicit SntpResponder(std::vector<Datagram> script, int port = 0);
    ~SntpResponder();
    SntpResponder(const SntpResponder&) = delete;
    SntpResponder& operator=(const SntpResponder&) = delete;

    int Port() const { return port_; }
    // The requests received so far, each as its bytes.
    std::vector<std::vector<uint8_t>> Requests() const;

private:
    void Serve();
    std::vector<Datagram> script_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::vector<uint8_t>> requests_;
    std::thread thread_;
};

}  // namespace testsupport
