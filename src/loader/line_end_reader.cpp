#include "loader/line_end_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace pantrel {
namespace {

constexpr std::size_t kDetectionBytes = 4;

bool Starts(const unsigned char* bytes, unsigned char b0, unsigned char b1, unsigned char b2,
            unsigned char b3) {
    return bytes[0] == b0 && bytes[1] == b1 && bytes[2] == b2 && bytes[3] == b3;
}

}  // namespace

namespace {

constexpr std::size_t kReadBufferBytes = std::size_t{1} << 16;

}  // namespace

LineEndReader::LineEndReader(InputFile file)
    : readBuffer_(std::make_unique_for_overwrite<char[]>(kReadBufferBytes)),
      file_(std::move(file)) {
    if (file_) {
        // Without it stdio keeps its own buffer: the reading works all the same.
        static_cast<void>(std::setvbuf(file_.get(), readBuffer_.get(), _IOFBF, kReadBufferBytes));
    }
}

void LineEndReader::DetectCharacterSize(const unsigned char* bytes, std::size_t count) {
    unit_ = 1;
    low_ = 0;
    if (count < kDetectionBytes) {
        return;
    }
    // The first bytes are a byte-order mark or "<?", as libxml2 reads them.
    if (Starts(bytes, 0x00, 0x00, 0xFE, 0xFF) || Starts(bytes, 0x00, 0x00, 0x00, 0x3C)) {
        unit_ = 4;
        low_ = 3;
    } else if (Starts(bytes, 0xFF, 0xFE, 0x00, 0x00) || Starts(bytes, 0x3C, 0x00, 0x00, 0x00)) {
        unit_ = 4;
    } else if (Starts(bytes, 0x00, 0x00, 0x3C, 0x00)) {
        unit_ = 4;
        low_ = 2;
    } else if (Starts(bytes, 0x00, 0x3C, 0x00, 0x00)) {
        unit_ = 4;
        low_ = 1;
    } else if ((bytes[0] == 0xFE && bytes[1] == 0xFF) || Starts(bytes, 0x00, 0x3C, 0x00, 0x3F)) {
        unit_ = 2;
        low_ = 1;
    } else if ((bytes[0] == 0xFF && bytes[1] == 0xFE) || Starts(bytes, 0x3C, 0x00, 0x3F, 0x00)) {
        unit_ = 2;
    } else if (Starts(bytes, 0x4C, 0x6F, 0xA7, 0x94)) {
        translate_ = false;  // EBCDIC: its line ends are other bytes
    }
}

// Rewrites whole characters in place and gives the new length (never longer).
std::size_t LineEndReader::Translate(char* bytes, std::size_t count) {
    if (unit_ == 1 && translate_) {
        return TranslateBytes(bytes, count);
    }
    std::size_t written = 0;
    for (std::size_t at = 0; at < count; at += unit_) {
        const std::size_t size = std::min(unit_, count - at);
        bool ascii = translate_ && size == unit_;
        for (std::size_t k = 0; ascii && k < unit_; ++k) {
            ascii = k == low_ || bytes[at + k] == 0;
        }
        const char value = ascii ? bytes[at + low_] : '\0';
        if (ascii && value == '\n' && afterCarriageReturn_) {
            afterCarriageReturn_ = false;  // the LF of CR LF: the CR already ended the line
            continue;
        }
        afterCarriageReturn_ = ascii && value == '\r';
        std::memmove(bytes + written, bytes + at, size);
        if (afterCarriageReturn_) {
            bytes[written + low_] = '\n';
        }
        written += size;
    }
    return written;
}

// The common case, a character per byte, kept fast: most files hold no CR at all, and a file
// with CR LF line ends costs one pass.
std::size_t LineEndReader::TranslateBytes(char* bytes, std::size_t count) {
    std::size_t at = 0;
    if (afterCarriageReturn_ && count > 0) {
        afterCarriageReturn_ = false;
        at = bytes[0] == '\n' ? 1 : 0;
    }
    const void* const first = std::memchr(bytes + at, '\r', count - at);
    if (first == nullptr) {
        if (at > 0) {
            std::memmove(bytes, bytes + at, count - at);
        }
        return count - at;
    }
    std::size_t written = 0;
    for (; at < count; ++at) {
        const char c = bytes[at];
        if (c == '\n' && afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            continue;
        }
        afterCarriageReturn_ = c == '\r';
        bytes[written++] = afterCarriageReturn_ ? '\n' : c;
    }
    return written;
}

int LineEndReader::Read(char* buffer, int length) {
    if (length < static_cast<int>(kDetectionBytes)) {
        return -1;  // libxml2 asks for thousands of bytes at a time
    }
    const auto room = static_cast<std::size_t>(length);
    for (;;) {
        std::memcpy(buffer, carry_.data(), carried_);
        std::size_t total = carried_;
        carried_ = 0;
        const std::size_t count = std::fread(buffer + total, 1, room - total, file_.get());
        if (count == 0 && std::ferror(file_.get()) != 0) {
            return -1;
        }
        total += count;
        const bool end = count == 0;
        if (unit_ == 0) {
            if (total < kDetectionBytes && !end) {
                std::memcpy(carry_.data(), buffer, total);
                carried_ = total;
                continue;
            }
            DetectCharacterSize(reinterpret_cast<const unsigned char*>(buffer), total);
        }
        const std::size_t whole = end ? total : total - total % unit_;
        carried_ = total - whole;
        std::memcpy(carry_.data(), buffer + whole, carried_);
        const std::size_t written = Translate(buffer, whole);
        if (written > 0 || end) {
            return static_cast<int>(written);
        }
    }
}

int LineEndReader::ReadCallback(void* context, char* buffer, int length) {
    return static_cast<LineEndReader*>(context)->Read(buffer, length);
}

int LineEndReader::CloseCallback(void* context) {
    const std::unique_ptr<LineEndReader> reader(static_cast<LineEndReader*>(context));
    return 0;
}

}  // namespace pantrel
