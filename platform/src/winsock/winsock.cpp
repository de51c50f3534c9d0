// Winsock 1.1 over the host's BSD sockets: start-up and clean-up, the socket table, the
// platform's error codes, truncated datagrams reported as WSAEMSGSIZE, and gethostbyname.
#include <winsock.h>

#include "host/host.h"
#include "winsock/bsd.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr WORD kVersion11 = MAKEWORD(1, 1);
constexpr int kMsgOob = 0x1;
constexpr int kMsgPeek = 0x2;

struct SocketState {
    bool datagram;
};

std::mutex stateLock;
int startups = 0;                       // WSAStartup calls not yet matched by WSACleanup
std::map<SOCKET, SocketState> sockets;  // SOCKET values are the host descriptors

int Fail(int error) {
    SetLastError(static_cast<DWORD>(error));
    return SOCKET_ERROR;
}

SOCKET FailSocket(int error) {
    SetLastError(static_cast<DWORD>(error));
    return INVALID_SOCKET;
}

hostent* FailLookup(int error) {
    SetLastError(static_cast<DWORD>(error));
    return nullptr;
}

bool Started() {
    std::lock_guard<std::mutex> lock(stateLock);
    return startups > 0;
}

int WinsockError(int negativeErrno, bool datagram) {
    switch (bsd::KindOf(negativeErrno)) {
    case bsd::ErrorKind::WouldBlock: return WSAEWOULDBLOCK;
    case bsd::ErrorKind::InProgress: return WSAEWOULDBLOCK;
    case bsd::ErrorKind::Interrupted: return WSAEINTR;
    case bsd::ErrorKind::Fault: return WSAEFAULT;
    case bsd::ErrorKind::Invalid: return WSAEINVAL;
    case bsd::ErrorKind::TooManyFiles: return WSAEMFILE;
    case bsd::ErrorKind::MessageSize: return WSAEMSGSIZE;
    case bsd::ErrorKind::AddressInUse: return WSAEADDRINUSE;
    case bsd::ErrorKind::AddressNotAvailable: return WSAEADDRNOTAVAIL;
    case bsd::ErrorKind::NetworkDown: return WSAENETDOWN;
    case bsd::ErrorKind::NetworkUnreachable: return WSAENETUNREACH;
    case bsd::ErrorKind::HostUnreachable: return WSAEHOSTUNREACH;
    // A datagram socket learns of a closed port from an ICMP message: Winsock calls it a reset.
    case bsd::ErrorKind::ConnectionRefused: return datagram ? WSAECONNRESET : WSAECONNREFUSED;
    case bsd::ErrorKind::ConnectionReset: return WSAECONNRESET;
    case bsd::ErrorKind::NotConnected: return WSAENOTCONN;
    case bsd::ErrorKind::AlreadyConnected: return WSAEISCONN;
    case bsd::ErrorKind::TimedOut: return WSAETIMEDOUT;
    case bsd::ErrorKind::NoBuffers: return WSAENOBUFS;
    case bsd::ErrorKind::AccessDenied: return WSAEACCES;
    case bsd::ErrorKind::Other: break;
    }
    return WSAENETDOWN;
}

// The state of a socket of a started library, or the error that the call must report.
int CheckSocket(SOCKET s, SocketState& state) {
    std::lock_guard<std::mutex> lock(stateLock);
    if (startups == 0) return WSANOTINITIALISED;
    const auto it = sockets.find(s);
    if (it == sockets.end()) return WSAENOTSOCK;
    state = it->second;
    return 0;
}

// gethostbyname's result lives until the thread's next call.
struct HostEntryStore {
    hostent entry;
    std::string name;
    std::vector<uint32_t> addresses;
    std::vector<char*> addressList;
    char* noAliases[1];
};

}  // namespace

int WSAStartup(WORD versionRequested, LPWSADATA data) {
    if (host::InjectedFailure("WSAStartup")) return WSASYSNOTREADY;
    if (!data) return WSAEFAULT;
    std::memset(data, 0, sizeof *data);
    data->wVersion = kVersion11;
    data->wHighVersion = kVersion11;
    std::strcpy(data->szDescription, "Windows Sockets 1.1 over host sockets");
    std::strcpy(data->szSystemStatus, "Running");
    data->iMaxSockets = 256;
    data->iMaxUdpDg = 65467;
    const BYTE major = LOBYTE(versionRequested), minor = HIBYTE(versionRequested);
    if (major < 1 || (major == 1 && minor < 1)) return WSAVERNOTSUPPORTED;
    std::lock_guard<std::mutex> lock(stateLock);
    ++startups;
    return 0;
}

int WSACleanup(void) {
    std::lock_guard<std::mutex> lock(stateLock);
    if (startups == 0) return Fail(WSANOTINITIALISED);
    // The last clean-up closes the sockets that are still open, as Winsock does.
    if (--startups == 0) {
        for (const auto& entry : sockets) bsd::Close(static_cast<int>(entry.first));
        sockets.clear();
    }
    return 0;
}

int WSAGetLastError(void) { return static_cast<int>(GetLastError()); }

SOCKET socket(int af, int type, int protocol) {
    if (!Started()) return FailSocket(WSANOTINITIALISED);
    if (host::InjectedFailure("socket")) return FailSocket(WSAENETDOWN);
    if (af != AF_INET) return FailSocket(WSAEAFNOSUPPORT);
    if (type != SOCK_DGRAM && type != SOCK_STREAM) return FailSocket(WSAESOCKTNOSUPPORT);
    const bool datagram = type == SOCK_DGRAM;
    if (protocol != 0 && protocol != (datagram ? IPPROTO_UDP : 6 /* TCP */))
        return FailSocket(WSAEPROTONOSUPPORT);
    const int fd = bsd::OpenIPv4Socket(datagram);
    if (fd < 0) return FailSocket(WinsockError(fd, datagram));
    std::lock_guard<std::mutex> lock(stateLock);
    sockets[static_cast<SOCKET>(fd)] = SocketState{datagram};
    return static_cast<SOCKET>(fd);
}

int connect(SOCKET s, const struct sockaddr* name, int nameLength) {
    SocketState state{};
    if (const int error = CheckSocket(s, state)) return Fail(error);
    if (host::InjectedFailure("connect")) return Fail(WSAENETDOWN);
    if (!name || nameLength < static_cast<int>(sizeof(sockaddr_in))) return Fail(WSAEFAULT);
    sockaddr_in peer;
    std::memcpy(&peer, name, sizeof peer);
    if (peer.sin_family != AF_INET) return Fail(WSAEAFNOSUPPORT);
    // Winsock refuses a peer that cannot be addressed instead of connecting to this machine.
    if (peer.sin_addr.s_addr == INADDR_ANY || peer.sin_port == 0) return Fail(WSAEADDRNOTAVAIL);
    const int result = bsd::ConnectIPv4(static_cast<int>(s), peer.sin_addr.s_addr, peer.sin_port);
    return result < 0 ? Fail(WinsockError(result, state.datagram)) : 0;
}

int ioctlsocket(SOCKET s, long command, u_long* argument) {
    SocketState state{};
    if (const int error = CheckSocket(s, state)) return Fail(error);
    if (command != FIONBIO) return Fail(WSAEINVAL);
    if (!argument) return Fail(WSAEFAULT);
    const int result = bsd::SetNonBlocking(static_cast<int>(s), *argument != 0);
    return result < 0 ? Fail(WinsockError(result, state.datagram)) : 0;
}

int send(SOCKET s, const char* buffer, int length, int flags) {
    SocketState state{};
    if (const int error = CheckSocket(s, state)) return Fail(error);
    if (host::InjectedFailure("send")) return Fail(WSAENETDOWN);
    if (length < 0 || (!buffer && length > 0)) return Fail(WSAEFAULT);
    if ((flags & ~kMsgOob) != 0) return Fail(WSAEOPNOTSUPP);
    const long sent = bsd::Send(static_cast<int>(s), buffer, static_cast<size_t>(length), (flags & kMsgOob) != 0);
    return sent < 0 ? Fail(WinsockError(static_cast<int>(sent), state.datagram)) : static_cast<int>(sent);
}

int recv(SOCKET s, char* buffer, int length, int flags) {
    SocketState state{};
    if (const int error = CheckSocket(s, state)) return Fail(error);
    if (host::InjectedFailure("recv")) return Fail(WSAENETDOWN);
    if (length < 0 || (!buffer && length > 0)) return Fail(WSAEFAULT);
    if ((flags & ~(kMsgOob | kMsgPeek)) != 0) return Fail(WSAEOPNOTSUPP);
    long fullLength = 0;
    const long copied = bsd::Receive(static_cast<int>(s), buffer, static_cast<size_t>(length),
                                     (flags & kMsgPeek) != 0, (flags & kMsgOob) != 0, state.datagram, &fullLength);
    if (copied < 0) return Fail(WinsockError(static_cast<int>(copied), state.datagram));
    // A datagram longer than the buffer: its first bytes are copied, the rest is lost, and
    // the call fails as Winsock reports it.
    if (fullLength > copied) return Fail(WSAEMSGSIZE);
    return static_cast<int>(copied);
}

int closesocket(SOCKET s) {
    std::lock_guard<std::mutex> lock(stateLock);
    if (startups == 0) return Fail(WSANOTINITIALISED);
    if (sockets.erase(s) == 0) return Fail(WSAENOTSOCK);
    bsd::Close(static_cast<int>(s));
    return 0;
}

struct hostent* gethostbyname(const char* name) {
    if (!Started()) return FailLookup(WSANOTINITIALISED);
    if (host::InjectedFailure("gethostbyname")) return FailLookup(WSAHOST_NOT_FOUND);
    // No name means this machine, as with Winsock.
    const std::string wanted = name && *name ? name : bsd::OwnHostName();
    static thread_local HostEntryStore store;
    std::string canonical;
    std::vector<uint32_t> addresses;
    switch (bsd::ResolveIPv4(wanted, canonical, addresses)) {
    case bsd::Resolution::Found: break;
    case bsd::Resolution::NotFound: return FailLookup(WSAHOST_NOT_FOUND);
    case bsd::Resolution::TryAgain: return FailLookup(WSATRY_AGAIN);
    case bsd::Resolution::NoData: return FailLookup(WSANO_DATA);
    case bsd::Resolution::Failed: return FailLookup(WSANO_RECOVERY);
    }
    store.name = canonical;
    store.addresses = addresses;
    store.addressList.clear();
    for (uint32_t& address : store.addresses) store.addressList.push_back(reinterpret_cast<char*>(&address));
    store.addressList.push_back(nullptr);
    store.noAliases[0] = nullptr;
    store.entry.h_name = &store.name[0];
    store.entry.h_aliases = store.noAliases;
    store.entry.h_addrtype = AF_INET;
    store.entry.h_length = 4;
    store.entry.h_addr_list = store.addressList.data();
    return &store.entry;
}
