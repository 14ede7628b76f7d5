// A loopback TCP listener that records connections.
#pragma once

#include "socket_platform.h"

namespace pantrel::testing_support {

// A TCP listener on the loopback interface that records whether anyone connected.
class LoopbackListener {
public:
    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    // 0 when no listener could be set up.
    int port() const { return port_; }
    bool SomeoneConnected() const { return socket_ != kNoSocket && Readable(socket_); }

private:
    bool started_ = false;
    SocketHandle socket_ = kNoSocket;
    int port_ = 0;
};

}  // namespace pantrel::testing_support
