#include <winsock2.h>

#include "loopback_listener.h"

namespace pantrel::testing_support {

LoopbackListener::LoopbackListener() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return;
    }
    const SOCKET listening = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    socket_ = listening == INVALID_SOCKET ? -1 : static_cast<std::intptr_t>(listening);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (socket_ < 0 ||
        ::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listening, 8) != 0 ||
        ::getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
    if (socket_ >= 0) {
        closesocket(static_cast<SOCKET>(socket_));
    }
    WSACleanup();
}

bool LoopbackListener::SomeoneConnected() const {
    WSAPOLLFD waiting{static_cast<SOCKET>(socket_), POLLRDNORM, 0};
    return WSAPoll(&waiting, 1, 0) > 0;
}

}  // namespace pantrel::testing_support
