#include "base/windows1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/win32_status.h"

namespace pantrel {
namespace {

TEST(Windows1250, PolishLettersRoundTrip) {
    const std::string polish = "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ";
    const std::optional<std::string> bytes = Utf8ToWindows1250(polish);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(Windows1250ToUtf8(*bytes), polish);
}

TEST(Windows1250, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::optional<std::string> back = Utf8ToWindows1250(Windows1250ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Windows1250, RefusesWhatItCannotCarry) {
    EXPECT_FALSE(Utf8ToWindows1250("日本").has_value());
    EXPECT_FALSE(Utf8ToWindows1250("\xC3").has_value());          // cut-off sequence
    EXPECT_FALSE(Utf8ToWindows1250("\xC0\xAF").has_value());      // overlong form of "/"
    EXPECT_FALSE(Utf8ToWindows1250("\xED\xA0\x80").has_value());  // a surrogate
}

TEST(Windows1250SortKey, OrdersAsTheCodePageBytes) {
    // Capitals before small letters, Polish letters after every ASCII letter.
    std::vector<std::string> names = {"Łata", "abc", "Zeta", "ąb", "Ab", "b", "Ź", "Ab"};
    std::ranges::sort(names, [](const std::string& a, const std::string& b) {
        return Windows1250SortKey(a) < Windows1250SortKey(b);
    });
    const std::vector<std::string> expected = {"Ab", "Ab", "Zeta", "abc", "b", "Ź", "Łata", "ąb"};
    EXPECT_EQ(names, expected);
}

TEST(Windows1250SortKey, KeepsCharactersOutsideTheCodePageApartAndLast) {
    EXPECT_NE(Windows1250SortKey("日"), Windows1250SortKey("本"));
    EXPECT_LT(Windows1250SortKey("\xCB\x99"), Windows1250SortKey("日"));  // ˙ is byte 0xFF
    EXPECT_LT(Windows1250SortKey("日"), Windows1250SortKey("\xFF"));      // invalid byte last
    EXPECT_LT(Windows1250SortKey("ab"), Windows1250SortKey("abc"));       // a prefix first
}

TEST(RegistryTextLength, CountsWhatAnAnsiReaderOfTheRegistryReceives) {
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"", 0},
        {"abc", 3},
        {"ąęłżź", 5},             // two UTF-8 bytes each, one Windows-1250 byte each
        {"€„”", 3},               // three UTF-8 bytes each
        {"日本", 2},              // outside Windows-1250: one UTF-16 unit each
        {"\xF0\x9F\x98\x80", 2},  // outside the BMP: two UTF-16 units
        {"a\xFF", 2},             // a byte that is not UTF-8 counts one
        {"\xE2\x82", 2},          // so does each byte of a cut-off character
        {std::string("x\0", 2), 2},
    };
    for (const auto& [text, length] : cases) {
        EXPECT_EQ(RegistryTextLength(text), length) << text;
    }
    EXPECT_EQ(RegistryDataSize(REG_SZ_TYPE, std::string("ął\0", 5)), 3U);
    EXPECT_EQ(RegistryDataSize(REG_MULTI_SZ_TYPE, std::string("ą\0\0", 4)), 3U);
    EXPECT_EQ(RegistryDataSize(REG_BINARY_TYPE, "ął"), 4U);  // bytes are bytes
}

// The limit check agrees with the count at and around every limit, for texts short and long in
// bytes alike.
TEST(RegistryTextLength, AFitCheckAgreesWithTheCount) {
    const std::vector<std::string> texts = {
        "",      "abc",      "ąęłżź", "€„”a", "日本語", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80",
        "a\xFF", "\xE2\x82",
    };
    for (const std::string& text : texts) {
        for (std::size_t limit = 0; limit <= text.size() + 1; ++limit) {
            EXPECT_EQ(RegistryTextFits(text, limit), RegistryTextLength(text) <= limit)
                << text << " " << limit;
        }
    }
}

}  // namespace
}  // namespace pantrel
