// The numbered failures that end a run of the agent, and the text shown for each.
#ifndef HORVANE_FAILURECODE_H
#define HORVANE_FAILURECODE_H

#include <windows.h>

// The numbers follow the order in which the codes were introduced, not the run's steps.
enum FailureCode {
    FAILURE_NONE = 0,
    FAILURE_CONNECTION = 1,     // the Internet connection did not come up
    FAILURE_SOCKET_LIBRARY = 2, // WSAStartup refused
    FAILURE_SOCKET = 3,         // no UDP socket
    FAILURE_PEER = 4,           // connect refused the server address
    FAILURE_SEND = 5,           // the request could not be sent
    FAILURE_NO_REPLY = 6,       // no reply within the receive window
    FAILURE_RESOLUTION = 7,     // the host name did not resolve (or does not fit the resolver)
    FAILURE_UNSYNCHRONISED = 8, // the server's clock is not synchronised, or it sent no time
    FAILURE_CLOCK = 9           // the new time lies outside the settable years, or the set was refused
};

// "通信に失敗しました。(00N)" for codes 1 to 9.
LPCWSTR FailureText(FailureCode code);

#endif
