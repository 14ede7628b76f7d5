// Standard output and error of a windowed exe: UTF-8 and CR LF to files, UTF-16 to a console.
#pragma once

#include <windows.h>

#include <ostream>
#include <streambuf>
#include <string>

namespace pantrel {

// Text written to one standard handle: UTF-8 bytes with CR LF line ends into a file or a pipe,
// and UTF-16 through WriteConsoleW into a console, so that Polish letters show whatever the
// console's code page. Written out at every line end and when flushed.
class HandleStreamBuf final : public std::streambuf {
public:
    explicit HandleStreamBuf(HANDLE handle);
    ~HandleStreamBuf() override;
    HandleStreamBuf(const HandleStreamBuf&) = delete;
    HandleStreamBuf& operator=(const HandleStreamBuf&) = delete;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void WriteOut();

    HANDLE handle_;
    bool console_;
    std::string pending_;
};

// The standard output and error of a windowed exe. Started from cmd.exe it has no handles of
// its own: it attaches to the parent's console. Started with its output redirected it uses the
// handles it was given. Started from Explorer or an installer there is neither, and what is
// written goes nowhere.
class StandardStreams {
public:
    StandardStreams();
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

    std::ostream& Out() { return out_; }
    std::ostream& Err() { return err_; }
    // Whether what goes to standard error reaches a console, a file or a pipe.
    bool ErrorsAreSeen() const { return errorsSeen_; }

private:
    HANDLE console_ = INVALID_HANDLE_VALUE;
    bool errorsSeen_ = false;
    HandleStreamBuf outBuffer_;
    HandleStreamBuf errBuffer_;
    std::ostream out_;
    std::ostream err_;
};

}  // namespace pantrel
