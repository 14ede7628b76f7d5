// A thread the test talks to, standing for another process on Windows.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace pantrel::testing_support {

// A thread running `body`; the test and the thread exchange lines of text. Windows has no
// fork, and what the peers contend for (the registry writers' mutex, a database) belongs to
// a thread there, so a thread stands for the other process.
class ConcurrentPeer {
    struct Channel {
        std::mutex mutex;
        std::condition_variable ready;
        std::deque<std::string> lines;
        bool closed = false;
    };
    struct Channels {
        Channel toChild;
        Channel toParent;
    };

public:
    template <typename Body>
    explicit ConcurrentPeer(Body body)
        : channels_(std::make_shared<Channels>()),
          in_(&channels_->toParent),
          out_(&channels_->toChild) {
        thread_ = std::thread([this, body]() mutable {
            ConcurrentPeer self{channels_};
            result_ = body(self);
        });
    }
    ~ConcurrentPeer() {
        if (thread_.joinable()) {
            Close(channels_->toChild);
            thread_.join();
        }
    }
    ConcurrentPeer(const ConcurrentPeer&) = delete;
    ConcurrentPeer& operator=(const ConcurrentPeer&) = delete;

    void Send(const std::string& line) const {
        const std::lock_guard lock(out_->mutex);
        out_->lines.push_back(line);
        out_->ready.notify_all();
    }
    // The next line from the other side; "(timeout)" when none comes within `milliseconds`.
    std::string Receive(int milliseconds = 20000) const {
        std::unique_lock lock(in_->mutex);
        if (!in_->ready.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                 [this] { return !in_->lines.empty() || in_->closed; }) ||
            in_->lines.empty()) {
            return "(timeout)";
        }
        std::string line = std::move(in_->lines.front());
        in_->lines.pop_front();
        return line;
    }
    // The thread's result.
    int Wait() {
        thread_.join();
        return result_;
    }

private:
    // The thread's own end.
    explicit ConcurrentPeer(std::shared_ptr<Channels> channels)
        : channels_(std::move(channels)), in_(&channels_->toChild), out_(&channels_->toParent) {}

    static void Close(Channel& channel) {
        const std::lock_guard lock(channel.mutex);
        channel.closed = true;
        channel.ready.notify_all();
    }

    std::shared_ptr<Channels> channels_;
    Channel* in_;
    Channel* out_;
    std::thread thread_;
    int result_ = -1;
};

}  // namespace pantrel::testing_support
