#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "loopback_listener.h"

namespace pantrel::testing_support {

LoopbackListener::LoopbackListener() {
    const int listening = ::socket(AF_INET, SOCK_STREAM, 0);
    socket_ = listening;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listening < 0 ||
        ::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listening, 8) != 0 ||
        ::getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() {
    if (socket_ >= 0) {
        ::close(static_cast<int>(socket_));
    }
}

bool LoopbackListener::SomeoneConnected() const {
    pollfd waiting{static_cast<int>(socket_), POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0;
}

}  // namespace pantrel::testing_support
