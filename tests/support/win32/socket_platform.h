// The socket calls of Windows.
#pragma once

#include <winsock2.h>

namespace pantrel::testing_support {

// The few calls in which the platforms' socket interfaces differ.
using SocketHandle = SOCKET;
using SocketLength = int;
inline constexpr SocketHandle kNoSocket = INVALID_SOCKET;

inline bool StartSockets() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}
inline void StopSockets() {
    WSACleanup();
}
inline void CloseSocket(SocketHandle socket) {
    closesocket(socket);
}
inline bool Readable(SocketHandle socket) {
    WSAPOLLFD waiting{socket, POLLRDNORM, 0};
    return WSAPoll(&waiting, 1, 0) > 0;
}

}  // namespace pantrel::testing_support
