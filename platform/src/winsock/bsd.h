// The BSD socket calls under the Winsock layer. Kept apart from winsock.h, whose socket
// functions share their names with the C library's: this header uses plain types only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bsd {

// Results are a count or 0 on success, or minus the host's errno value.
int OpenIPv4Socket(bool datagram);
int ConnectIPv4(int fd, uint32_t addressNetOrder, uint16_t portNetOrder);
int SetNonBlocking(int fd, bool on);
long Send(int fd, const void* data, size_t length, bool outOfBand);
// Copies at most `length` bytes of what is waiting. For a datagram, `fullLength` is its real
// length (the rest of a longer datagram is discarded); for a stream it is the count copied.
long Receive(int fd, void* buffer, size_t length, bool peek, bool outOfBand, bool datagram, long* fullLength);
void Close(int fd);

enum class Resolution { Found, NotFound, TryAgain, NoData, Failed };
Resolution ResolveIPv4(const std::string& name, std::string& canonicalName,
                       std::vector<uint32_t>& addressesNetOrder);
std::string OwnHostName();

// What a host errno value means, without the host's headers.
enum class ErrorKind {
    WouldBlock, InProgress, Interrupted, Fault, Invalid, TooManyFiles, MessageSize, AddressInUse,
    AddressNotAvailable, NetworkDown, NetworkUnreachable, HostUnreachable, ConnectionRefused,
    ConnectionReset, NotConnected, AlreadyConnected, TimedOut, NoBuffers, AccessDenied, Other
};
ErrorKind KindOf(int negativeErrno);

}  // namespace bsd
