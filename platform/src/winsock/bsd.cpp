// The BSD socket calls under the Winsock layer (this file never includes winsock.h).
#include "winsock/bsd.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace bsd {

int OpenIPv4Socket(bool datagram) {
    const int fd = ::socket(AF_INET, (datagram ? SOCK_DGRAM : SOCK_STREAM) | SOCK_CLOEXEC, 0);
    return fd >= 0 ? fd : -errno;
}

int ConnectIPv4(int fd, uint32_t addressNetOrder, uint16_t portNetOrder) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = portNetOrder;
    peer.sin_addr.s_addr = addressNetOrder;
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0 ? 0 : -errno;
}

int SetNonBlocking(int fd, bool on) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) return -errno;
    return ::fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK) == 0 ? 0 : -errno;
}

long Send(int fd, const void* data, size_t length, bool outOfBand) {
    const ssize_t sent = ::send(fd, data, length, MSG_NOSIGNAL | (outOfBand ? MSG_OOB : 0));
    return sent >= 0 ? static_cast<long>(sent) : -errno;
}

long Receive(int fd, void* buffer, size_t length, bool peek, bool outOfBand, bool datagram, long* fullLength) {
    // MSG_TRUNC makes a datagram socket report the datagram's real length; on a stream it
    // would discard data, so it is asked for datagrams only.
    const int flags = (peek ? MSG_PEEK : 0) | (outOfBand ? MSG_OOB : 0) | (datagram ? MSG_TRUNC : 0);
    const ssize_t received = ::recv(fd, buffer, length, flags);
    if (received < 0) return -errno;
    *fullLength = static_cast<long>(received);
    return static_cast<long>(static_cast<size_t>(received) < length ? static_cast<size_t>(received) : length);
}

void Close(int fd) { ::close(fd); }

Resolution ResolveIPv4(const std::string& name, std::string& canonicalName, std::vector<uint32_t>& addressesNetOrder) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    const int status = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
    switch (status) {
    case 0: break;
    case EAI_NONAME: return Resolution::NotFound;
    case EAI_AGAIN: return Resolution::TryAgain;
#ifdef EAI_NODATA
    case EAI_NODATA: return Resolution::NoData;
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY: return Resolution::NoData;
#endif
    default: return Resolution::Failed;
    }
    canonicalName = found->ai_canonname ? found->ai_canonname : name;
    addressesNetOrder.clear();
    for (const addrinfo* a = found; a; a = a->ai_next)
        if (a->ai_family == AF_INET && a->ai_addrlen >= sizeof(sockaddr_in))
            addressesNetOrder.push_back(reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr);
    ::freeaddrinfo(found);
    return addressesNetOrder.empty() ? Resolution::NoData : Resolution::Found;
}

std::string OwnHostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "localhost";
    return name;
}

ErrorKind KindOf(int negativeErrno) {
    switch (-negativeErrno) {
    case EAGAIN: return ErrorKind::WouldBlock;
    case EINPROGRESS: return ErrorKind::InProgress;
    case EALREADY: return ErrorKind::InProgress;
    case EINTR: return ErrorKind::Interrupted;
    case EFAULT: return ErrorKind::Fault;
    case EINVAL: return ErrorKind::Invalid;
    case EMFILE:
    case ENFILE: return ErrorKind::TooManyFiles;
    case EMSGSIZE: return ErrorKind::MessageSize;
    case EADDRINUSE: return ErrorKind::AddressInUse;
    case EADDRNOTAVAIL: return ErrorKind::AddressNotAvailable;
    case ENETDOWN: return ErrorKind::NetworkDown;
    case ENETUNREACH: return ErrorKind::NetworkUnreachable;
    case EHOSTUNREACH: return ErrorKind::HostUnreachable;
    case ECONNREFUSED: return ErrorKind::ConnectionRefused;
    case ECONNRESET: return ErrorKind::ConnectionReset;
    case ENOTCONN:
    case EDESTADDRREQ: return ErrorKind::NotConnected;
    case EISCONN: return ErrorKind::AlreadyConnected;
    case ETIMEDOUT: return ErrorKind::TimedOut;
    case ENOBUFS:
    case ENOMEM: return ErrorKind::NoBuffers;
    case EACCES:
    case EPERM: return ErrorKind::AccessDenied;
    default: return ErrorKind::Other;
    }
}

}  // namespace bsd
