#include "loopback_listener.h"

namespace pantrel::testing_support {

LoopbackListener::LoopbackListener() : started_(StartSockets()) {
    if (!started_) {
        return;
    }
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    SocketLength length = sizeof address;
    if (socket_ == kNoSocket ||
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket_, 8) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
    if (socket_ != kNoSocket) {
        CloseSocket(socket_);
    }
    if (started_) {
        StopSockets();
    }
}

}  // namespace pantrel::testing_support
