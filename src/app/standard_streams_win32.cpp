#include "app/standard_streams_win32.h"

#include <cstring>
#include <string>

#include "base/wide_text_win32.h"

namespace pantrel {
namespace {

bool Usable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return Usable(handle) && GetConsoleMode(handle, &mode) != 0;
}

// The standard handle when the exe was given one; else the parent's console, attached (once)
// and opened into `console`; else none.
HANDLE StandardHandle(DWORD which, HANDLE& console) {
    const HANDLE given = GetStdHandle(which);
    if (Usable(given)) {
        return given;
    }
    if (console == INVALID_HANDLE_VALUE && AttachConsole(ATTACH_PARENT_PROCESS) != 0) {
        console =
            CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    return console;
}

// A file or pipe read on Windows (Notepad of Windows 7 among the readers) needs CR LF at each
// line end; a CR already there is not doubled.
std::string WithWindowsLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    char previous = '\0';
    for (const char c : text) {
        if (c == '\n' && previous != '\r') {
            out.push_back('\r');
        }
        out.push_back(c);
        previous = c;
    }
    return out;
}

}  // namespace

HandleStreamBuf::HandleStreamBuf(HANDLE handle) : handle_(handle), console_(IsConsole(handle)) {}

HandleStreamBuf::~HandleStreamBuf() {
    WriteOut();
}

HandleStreamBuf::int_type HandleStreamBuf::overflow(int_type c) {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        pending_.push_back(traits_type::to_char_type(c));
        if (c == '\n') {
            WriteOut();
        }
    }
    return traits_type::not_eof(c);
}

std::streamsize HandleStreamBuf::xsputn(const char* text, std::streamsize count) {
    pending_.append(text, static_cast<std::size_t>(count));
    if (std::memchr(text, '\n', static_cast<std::size_t>(count)) != nullptr) {
        WriteOut();
    }
    return count;
}

int HandleStreamBuf::sync() {
    WriteOut();
    return 0;
}

void HandleStreamBuf::WriteOut() {
    if (pending_.empty()) {
        return;
    }
    // Lines are written whole, so a character is never cut between two writes.
    if (!Usable(handle_)) {
        pending_.clear();
        return;
    }
    if (console_) {
        std::wstring wide;
        WideFromUtf8(pending_, wide);
        DWORD written = 0;
        WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        const std::string bytes = WithWindowsLineEnds(pending_);
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD written = 0;
            if (WriteFile(handle_, bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                          &written, nullptr) == 0 ||
                written == 0) {
                break;
            }
            done += written;
        }
    }
    pending_.clear();
}

StandardStreams::StandardStreams()
    : outBuffer_(StandardHandle(STD_OUTPUT_HANDLE, console_)),
      errBuffer_(StandardHandle(STD_ERROR_HANDLE, console_)),
      out_(&outBuffer_),
      err_(&errBuffer_) {
    errorsSeen_ = Usable(StandardHandle(STD_ERROR_HANDLE, console_));
}

StandardStreams::~StandardStreams() {
    out_.flush();
    err_.flush();
    outBuffer_.pubsync();
    errBuffer_.pubsync();
    if (console_ != INVALID_HANDLE_VALUE) {
        CloseHandle(console_);
    }
}

}  // namespace pantrel
