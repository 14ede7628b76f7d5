#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader/line_end_reader.h"
#include "loader/specification_errors.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

// The text with every LF line end written as `lineEnd` instead.
std::string WithLineEnds(const std::string& text, std::string_view lineEnd) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out.append(lineEnd);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string OnlyMessage(const std::string& path) {
    testing::RecordingSink sink;
    DocumentHolder document;
    EXPECT_LT(testing::LoadWithEmbeddedSchema(document, path, sink), 0);
    EXPECT_EQ(sink.messages.size(), 1u);
    return sink.messages.empty() ? std::string() : sink.messages.front();
}

// The message without its first line's path, which differs between the copies.
std::string WithoutPath(const std::string& message, const std::string& path) {
    std::string text = message;
    const std::size_t at = text.find(path);
    if (at != std::string::npos) {
        text.erase(at, path.size());
    }
    return text;
}

// UTF-8 as UTF-16 (the test files hold only characters of the first plane), with a BOM.
std::string Utf16(const std::string& utf8, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        unsigned int cp = length == 1 ? lead : length == 2 ? lead & 0x1F : lead & 0x0F;
        for (std::size_t k = 1; k < length; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        const char high = static_cast<char>(cp >> 8);
        const char low = static_cast<char>(cp & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
        i += length;
    }
    return out;
}

struct LineEndCase {
    const char* file;
    const char* encoding;  // "" keeps the file's bytes; "UTF-16LE" / "UTF-16BE" converts
};

void PrintTo(const LineEndCase& c, std::ostream* out) {
    *out << c.file << " " << c.encoding;
}

class LineEndTest : public ::testing::TestWithParam<LineEndCase> {};

// A file written with CR-only or CR LF line ends gets the message of the same file written with
// LF: the same line, position and quoted source line.
TEST_P(LineEndTest, EveryLineEndCountsOnce) {
    const LineEndCase& c = GetParam();
    std::string text = testing::ReadBytes(testing::DataFile(c.file));
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at, 1);
    }
    const auto encode = [&c](const std::string& bytes) {
        const std::string_view encoding = c.encoding;
        if (encoding.empty()) {
            return bytes;
        }
        std::string declared = bytes;
        declared.replace(declared.find("UTF-8"), 5, "UTF-16");
        return Utf16(declared, encoding == "UTF-16BE");
    };
    const testing::TempFolder folder;
    const std::string lf = folder.Write("lf.xml", encode(text));
    const std::string expected = WithoutPath(OnlyMessage(lf), lf);
    ASSERT_EQ(expected.find("linia 1,"), std::string::npos) << expected;
    for (const std::string_view lineEnd : {"\r", "\r\n"}) {
        const std::string copy = folder.Write(lineEnd.size() == 1 ? "cr.xml" : "crlf.xml",
                                              encode(WithLineEnds(text, lineEnd)));
        EXPECT_EQ(WithoutPath(OnlyMessage(copy), copy), expected) << lineEnd.size();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LineEndTest,
                         ::testing::Values(LineEndCase{"message_position.xml", ""},
                                           LineEndCase{"message_position_windows1250.xml", ""},
                                           LineEndCase{"invalid_model_name_bar.xml", ""},
                                           LineEndCase{"invalid_unclosed_element.xml", ""},
                                           LineEndCase{"invalid_no_model.xml", ""},
                                           LineEndCase{"invalid_undeclared_entity.xml", ""},
                                           LineEndCase{"invalid_typ_lower_case.xml", ""},
                                           LineEndCase{"message_position.xml", "UTF-16LE"},
                                           LineEndCase{"invalid_model_name_bar.xml", "UTF-16BE"}));

// Lines ending in CR, LF and CR LF in one file, each error where it stands.
TEST(LineEndMixedTest, ValidateCountsMixedLineEnds) {
    std::string text = testing::ReadBytes(testing::DataFile("valid_minimal.xml"));
    text.replace(text.find("<Wersja>3<"), 10, "<Wersja>x<");
    text.replace(text.find("kasy.dll"), 8, "");
    text.replace(text.find("Orzeł 200"), std::string("Orzeł 200").size(), "Orzeł|200");
    std::string mixed;
    int line = 0;
    for (const char c : text) {
        if (c != '\n') {
            mixed.push_back(c);
            continue;
        }
        ++line;
        mixed.append(line % 3 == 0 ? "\n" : line % 3 == 1 ? "\r" : "\r\n");
    }
    const testing::TempFolder folder;
    const std::string path = folder.Write("mieszane.xml", mixed);
    std::vector<std::pair<long, long>> positions;
    for (const SpecificationError& error : CollectSpecificationErrors(path)) {
        positions.emplace_back(error.line, error.column);
    }
    EXPECT_EQ(positions, (std::vector<std::pair<long, long>>{{6, 23}, {7, 24}, {10, 33}}));
}

// The parser asks for a few thousand bytes at a time; a CR LF, or a UTF-16 character, cut by
// the end of one read must come out the same.
TEST(LineEndReaderTest, LineEndsCutBetweenReadsCountOnce) {
    const std::string text = "<a>\r\nb\rc\r\r\nd\n\re</a>\r";
    const std::string expected = "<a>\nb\nc\n\nd\n\ne</a>\n";
    const testing::TempFolder folder;
    for (const bool utf16 : {false, true}) {
        const std::string path = folder.Write("a.xml", utf16 ? Utf16(text, false) : text);
        for (const int length : {4, 5, 7, 4096}) {
            LineEndReader reader(OpenInputFile(path));
            std::string out;
            std::string chunk(static_cast<std::size_t>(length), '\0');
            for (int count = 0; (count = reader.Read(chunk.data(), length)) > 0;) {
                out.append(chunk, 0, static_cast<std::size_t>(count));
            }
            EXPECT_EQ(out, utf16 ? Utf16(expected, false) : expected) << utf16 << " " << length;
        }
    }
}

}  // namespace
}  // namespace pantrel
