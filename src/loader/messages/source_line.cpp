#include "loader/messages/source_line.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>

#include <array>
#include <memory>

#include "base/input_file.h"
#include "loader/messages/description_text.h"
#include "loader/xml_error_scope.h"

namespace pantrel {
namespace {

struct EncodingHandlerClose {
    void operator()(xmlCharEncodingHandler* handler) const noexcept {
        xmlCharEncCloseFunc(handler);
    }
};
using EncodingHandlerPtr = std::unique_ptr<xmlCharEncodingHandler, EncodingHandlerClose>;

struct BufferFree {
    void operator()(xmlBuffer* buffer) const noexcept { xmlBufferFree(buffer); }
};
using BufferPtr = std::unique_ptr<xmlBuffer, BufferFree>;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kCutMark = "\xE2\x80\xA6";      // …
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Picks one line out of decoded text that arrives in pieces.
class LineCollector {
public:
    explicit LineCollector(long lineNumber) : wanted_(lineNumber) {}

    bool done() const { return done_; }

    // A line ends at LF, at CR, or at CR LF (counted once), as the parser counts lines.
    void Feed(std::string_view text) {
        while (!text.empty() && !done_) {
            if (afterCarriageReturn_) {
                afterCarriageReturn_ = false;
                if (text.front() == '\n') {
                    text.remove_prefix(1);
                    continue;
                }
            }
            const std::size_t end = text.find_first_of("\r\n");
            const std::size_t length = end != std::string_view::npos ? end : text.size();
            if (current_ == wanted_) {
                Keep(text.substr(0, length));
                done_ = end != std::string_view::npos;
            }
            if (end == std::string_view::npos) {
                return;
            }
            afterCarriageReturn_ = text[end] == '\r';
            ++current_;
            text.remove_prefix(length + 1);
        }
    }

    std::string Finish() && {
        if (wanted_ == 1 && line_.starts_with(kByteOrderMark)) {
            line_.erase(0, kByteOrderMark.size());
        }
        if (cut_ || line_.size() > MAX_QUOTED_LINE) {
            // Cut before the character that crosses the limit, never inside it.
            std::size_t length = MAX_QUOTED_LINE;
            while (length > 0 && (static_cast<unsigned char>(line_[length]) & 0xC0) == 0x80) {
                --length;
            }
            line_.resize(length);
            line_.append(kCutMark);
        }
        return Printable(line_);
    }

private:
    // The message must be UTF-8 text: a byte that starts no valid sequence, or a control
    // character, shows as U+FFFD (a tab stays a tab).
    static std::string Printable(const std::string& line) {
        std::string text;
        text.reserve(line.size());
        std::size_t at = 0;
        while (at < line.size()) {
            const std::size_t length = Utf8SequenceLength(line, at);
            const auto first = static_cast<unsigned char>(line[at]);
            if (length == 0 || (length == 1 && first < 0x20 && first != '\t') || first == 0x7F) {
                text.append(kReplacement);
                ++at;
                continue;
            }
            text.append(line, at, length);
            at += length;
        }
        return text;
    }

    void Keep(std::string_view piece) {
        // Room for the limit, a byte-order mark and one byte to tell a cut line from one of
        // exactly the limit.
        constexpr std::size_t kRoom = MAX_QUOTED_LINE + kByteOrderMark.size() + 1;
        if (line_.size() + piece.size() > kRoom) {
            piece = piece.substr(0, kRoom - line_.size());
            cut_ = true;
        }
        line_.append(piece);
    }

    long wanted_;
    long current_ = 1;
    bool done_ = false;
    bool cut_ = false;
    bool afterCarriageReturn_ = false;
    std::string line_;
};

bool IsUtf8(std::string_view encoding) {
    return encoding.empty() ||
           xmlStrcasecmp(reinterpret_cast<const xmlChar*>(std::string(encoding).c_str()),
                         reinterpret_cast<const xmlChar*>("UTF-8")) == 0;
}

}  // namespace

std::string ReadSourceLine(const std::string& path, long lineNumber, std::string_view encoding) {
    if (lineNumber < 1) {
        return {};
    }
    const InputFile file = OpenInputFile(path);
    if (!file) {
        return {};
    }
    // The decoder reports bytes it cannot read in English on standard error; the message
    // already says it in Polish.
    const XmlErrorScope quiet(IgnoreXmlError, nullptr);
    EncodingHandlerPtr decoder;
    if (!IsUtf8(encoding)) {
        decoder.reset(xmlFindCharEncodingHandler(std::string(encoding).c_str()));
        if (!decoder) {
            return {};
        }
    }
    const BufferPtr raw(xmlBufferCreate());
    const BufferPtr decoded(xmlBufferCreate());
    if (!raw || !decoded) {
        return {};
    }
    LineCollector collector(lineNumber);
    std::array<char, std::size_t{64} * 1024> chunk;
    while (!collector.done()) {
        const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (count == 0) {
            break;
        }
        if (!decoder) {
            collector.Feed({chunk.data(), count});
            continue;
        }
        if (xmlBufferAdd(raw.get(), reinterpret_cast<const xmlChar*>(chunk.data()),
                         static_cast<int>(count)) != 0) {
            break;
        }
        const int result = xmlCharEncInFunc(decoder.get(), decoded.get(), raw.get());
        collector.Feed({reinterpret_cast<const char*>(xmlBufferContent(decoded.get())),
                        static_cast<std::size_t>(xmlBufferLength(decoded.get()))});
        xmlBufferEmpty(decoded.get());
        if (result == -2) {
            break;  // bytes the encoding does not allow: nothing after them can be trusted
        }
    }
    return std::move(collector).Finish();
}

}  // namespace pantrel
