// A real NTP server for black-box tests: chronyd on loopback, never steering the host's clock.
#pragma once

#include <string>
#include <sys/types.h>

namespace testsupport {

// chronyd serving NTP on 127.0.0.1 at a free port, as a child of the test; it never
// steers the host's clock. synchronised=false serves leap indicator 3 (no local stratum).
// Throws std::runtime_error when chronyd is not installed or does not answer.
class Chronyd {
public:
    explicit Chronyd(bool synchronised = true);
    ~Chronyd();
    Chronyd(const Chronyd&) = delete;
    Chronyd& operator=(const Chronyd&) = delete;
    int Port() const { return port_; }

private:
    void Stop();
    std::string dir_;
    int port_ = 0;
    pid_t pid_ = -1;
};

// A UDP port on 127.0.0.1 that was free a moment ago.
int FreeUdpPort();
// Whether an SNTP request to 127.0.0.1:port is answered within timeoutMs.
bool AnswersSntp(int port, int timeoutMs);

}  // namespace testsupport
