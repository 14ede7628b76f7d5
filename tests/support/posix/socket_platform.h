// The socket calls of Linux.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace pantrel::testing_support {

// The few calls in which the platforms' socket interfaces differ.
using SocketHandle = int;
using SocketLength = socklen_t;
inline constexpr SocketHandle kNoSocket = -1;

inline bool StartSockets() {
    return true;
}
inline void StopSockets() {}
inline void CloseSocket(SocketHandle socket) {
    ::close(socket);
}
inline bool Readable(SocketHandle socket) {
    pollfd waiting{socket, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0;
}

}  // namespace pantrel::testing_support
