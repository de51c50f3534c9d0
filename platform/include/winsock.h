/* Winsock 1.1: BSD-style sockets with the platform's types, error codes and start-up. */
#ifndef CE_WINSOCK_H
#define CE_WINSOCK_H

#include <windows.h>
#include <sys/types.h> /* u_char, u_short, u_long as the C library has them */

typedef UINT_PTR SOCKET;
#define INVALID_SOCKET ((SOCKET)(~0))
#define SOCKET_ERROR (-1)

#define AF_INET 2
#define SOCK_STREAM 1
#define SOCK_DGRAM 2
#define IPPROTO_UDP 17
#define INADDR_ANY ((u_long)0x00000000)
#define FIONBIO ((long)0x8004667E)

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

typedef struct WSAData {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
} WSADATA, *LPWSADATA;

struct in_addr {
    union {
        struct { u_char s_b1, s_b2, s_b3, s_b4; } S_un_b;
        struct { u_short s_w1, s_w2; } S_un_w;
        DWORD S_addr;
    } S_un;
};
#define s_addr S_un.S_addr

struct sockaddr {
    u_short sa_family;
    char sa_data[14];
};

struct sockaddr_in {
    short sin_family;
    u_short sin_port;
    struct in_addr sin_addr;
    char sin_zero[8];
};
typedef struct sockaddr SOCKADDR;
typedef struct sockaddr_in SOCKADDR_IN;

struct hostent {
    char* h_name;
    char** h_aliases;
    short h_addrtype;
    short h_length;
    char** h_addr_list;
};
#define h_addr h_addr_list[0]
typedef struct hostent HOSTENT;

/* Error codes reported by WSAGetLastError. */
#define WSABASEERR 10000
#define WSAEINTR (WSABASEERR + 4)
#define WSAEACCES (WSABASEERR + 13)
#define WSAEFAULT (WSABASEERR + 14)
#define WSAEINVAL (WSABASEERR + 22)
#define WSAEMFILE (WSABASEERR + 24)
#define WSAEWOULDBLOCK (WSABASEERR + 35)
#define WSAEINPROGRESS (WSABASEERR + 36)
#define WSAENOTSOCK (WSABASEERR + 38)
#define WSAEMSGSIZE (WSABASEERR + 40)
#define WSAEPROTONOSUPPORT (WSABASEERR + 43)
#define WSAESOCKTNOSUPPORT (WSABASEERR + 44)
#define WSAEOPNOTSUPP (WSABASEERR + 45)
#define WSAEAFNOSUPPORT (WSABASEERR + 47)
#define WSAEADDRINUSE (WSABASEERR + 48)
#define WSAEADDRNOTAVAIL (WSABASEERR + 49)
#define WSAENETDOWN (WSABASEERR + 50)
#define WSAENETUNREACH (WSABASEERR + 51)
#define WSAECONNRESET (WSABASEERR + 54)
#define WSAENOBUFS (WSABASEERR + 55)
#define WSAEISCONN (WSABASEERR + 56)
#define WSAENOTCONN (WSABASEERR + 57)
#define WSAETIMEDOUT (WSABASEERR + 60)
#define WSAECONNREFUSED (WSABASEERR + 61)
#define WSAEHOSTUNREACH (WSABASEERR + 65)
#define WSASYSNOTREADY (WSABASEERR + 91)
#define WSAVERNOTSUPPORTED (WSABASEERR + 92)
#define WSANOTINITIALISED (WSABASEERR + 93)
#define WSAHOST_NOT_FOUND (WSABASEERR + 1001)
#define WSATRY_AGAIN (WSABASEERR + 1002)
#define WSANO_RECOVERY (WSABASEERR + 1003)
#define WSANO_DATA (WSABASEERR + 1004)

int WSAStartup(WORD versionRequested, LPWSADATA data);
int WSACleanup(void);
int WSAGetLastError(void);

SOCKET socket(int af, int type, int protocol);
int connect(SOCKET s, const struct sockaddr* name, int nameLength);
int ioctlsocket(SOCKET s, long command, u_long* argument);
int send(SOCKET s, const char* buffer, int length, int flags);
int recv(SOCKET s, char* buffer, int length, int flags);
int closesocket(SOCKET s);
struct hostent* gethostbyname(const char* name);

/* Byte order: the C library's own conversions (32 and 16 bits). */
extern "C" {
unsigned int htonl(unsigned int hostLong) throw();
unsigned int ntohl(unsigned int netLong) throw();
unsigned short htons(unsigned short hostShort) throw();
unsigned short ntohs(unsigned short netShort) throw();
}

#endif
