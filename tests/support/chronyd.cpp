// chronyd as a test's child: own temp config, pid and state files; started without the
// capability to set the clock and told not to, so the host's clock stays untouched.
#include "chronyd.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

namespace {
const char kChronyd[] = "/usr/sbin/chronyd";

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}
}  // namespace

int FreeUdpPort() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    const bool ok = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (fd >= 0) ::close(fd);
    if (!ok) throw std::runtime_error("no free UDP port on 127.0.0.1");
    return ntohs(address.sin_port);
}

bool AnswersSntp(int port, int timeoutMs) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const sockaddr_in address = Loopback(port);
    unsigned char request[48] = {0x23};
    bool answered = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, request, sizeof request, 0) == static_cast<ssize_t>(sizeof request)) {
        pollfd p{fd, POLLIN, 0};
        unsigned char reply[64];
        answered = ::poll(&p, 1, timeoutMs) == 1 && ::recv(fd, reply, sizeof reply, 0) >= 48;
    }
    ::close(fd);
    return answered;
}

Chronyd::Chronyd(bool synchronised) {
    if (::access(kChronyd, X_OK) != 0)
        throw std::runtime_error(std::string(kChronyd) + " is not installed: install the Debian package chrony "
                                 "(scripts/test.sh does)");
    char tmpl[] = "/tmp/chronyd-test-XXXXXX";
    if (!::mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
    dir_ = tmpl;
    port_ = FreeUdpPort();
    const std::string conf = dir_ + "/chrony.conf";
    {
        std::ofstream out(conf);
        out << "port " << port_ << "\n"
            << "bindaddress 127.0.0.1\n"
            << "allow 127.0.0.1\n"
            << (synchronised ? "local stratum 8\n" : "")
            << "cmdport 0\n"
            << "bindcmdaddress /\n"
            << "pidfile " << dir_ << "/chronyd.pid\n"
            << "driftfile " << dir_ << "/drift\n"
            << "dumpdir " << dir_ << "\n"
            << "ntsdumpdir " << dir_ << "\n";
    }
    const std::string log = dir_ + "/chronyd.log";
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        std::freopen(log.c_str(), "w", stdout);
        std::freopen(log.c_str(), "a", stderr);
        // -x: never touch the clock; without CAP_SYS_TIME it could not even if it tried.
        if (::geteuid() == 0)
            ::execl("/usr/bin/setpriv", "setpriv", "--bounding-set", "-sys_time", kChronyd, "-x", "-d", "-u", "root",
                    "-f", conf.c_str(), static_cast<char*>(nullptr));
        else
            ::execl(kChronyd, "chronyd", "-x", "-d", "-f", conf.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!AnswersSntp(port_, 200)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) pid_ = -1;
        if (pid_ < 0 || std::chrono::steady_clock::now() > deadline) {
            std::ifstream in(log);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            Stop();
            throw std::runtime_error("chronyd did not answer on 127.0.0.1:" + std::to_string(port_) + ":\n" + text);
        }
    }
}

Chronyd::~Chronyd() { Stop(); }

void Chronyd::Stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        pid_ = -1;
    }
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    dir_.clear();
}

}  // namespace testsupport
