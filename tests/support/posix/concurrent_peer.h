// A child process the test talks to, on Linux.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace pantrel::testing_support {

// A child process running `body`; the test and the child exchange lines of text. The child
// is killed if it is still there when the test ends.
class ConcurrentPeer {
public:
    template <typename Body>
    explicit ConcurrentPeer(Body body) {
        int toChild[2] = {-1, -1};
        int toParent[2] = {-1, -1};
        if (pipe(toChild) != 0 || pipe(toParent) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            close(toChild[1]);
            close(toParent[0]);
            in_ = toChild[0];
            out_ = toParent[1];
            _exit(body(*this));
        }
        close(toChild[0]);
        close(toParent[1]);
        in_ = toParent[0];
        out_ = toChild[1];
    }
    ~ConcurrentPeer() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(in_);
        close(out_);
    }
    ConcurrentPeer(const ConcurrentPeer&) = delete;
    ConcurrentPeer& operator=(const ConcurrentPeer&) = delete;

    void Send(const std::string& line) const {
        const std::string text = line + '\n';
        if (write(out_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            perror("write");
        }
    }
    // The next line from the other side; "(timeout)" when none comes within `milliseconds`.
    std::string Receive(int milliseconds = 20000) const {
        std::string line;
        char c = 0;
        while (true) {
            pollfd ready{in_, POLLIN, 0};
            if (poll(&ready, 1, milliseconds) != 1 || read(in_, &c, 1) != 1) {
                return "(timeout)";
            }
            if (c == '\n') {
                return line;
            }
            line += c;
        }
    }
    // The child's exit code; -1 when it did not end normally.
    int Wait() {
        int status = 0;
        const pid_t ended = waitpid(pid_, &status, 0);
        pid_ = -1;
        return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
};

}  // namespace pantrel::testing_support
