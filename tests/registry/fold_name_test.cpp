// The folded names are stored in every store file: their form must never change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/sqlite_names.h"

namespace pantrel {
namespace {

struct FoldCase {
    std::string name;
    std::string folded;
};

TEST(FoldName, CapitalsOfWindows1250BecomeSmallAndEverythingElseStays) {
    const std::vector<FoldCase> cases = {
        {"Model Żółw 7|ZAKŁAD Łączności", "model żółw 7|zakład łączności"},
        {"ĄĆĘŁŃÓŚŹŻ", "ąćęłńóśźż"},
        {"ÀÉÞ×ßŸ¿", "àéþ×ßÿ¿"},                    // × and ß have no partner; ¿ is no letter
        {"ĀĲĶĹŇŊŶŹŽ", "āĳķĺňŋŷźž"},                // each end of the paired runs
        {"İıĸŉſ", "İıĸŉſ"},                        // no partner within the block
        {"ƁЖΩ", "ƁЖΩ"},                            // two bytes long, beyond the folded letters
        {"€„Ω😀", "€„Ω😀"},                          // three and four bytes long
        {"\xC0\x81\xC1\xBF", "\xC0\x81\xC1\xBF"},  // overlong forms
        {"\xC4"
         "A",
         "\xC4"
         "a"},                             // a lead byte without its continuation
        {"A\xC4", "a\xC4"},                // cut off at the end
        {"\xE0\xC4\x84", "\xE0\xC4\x85"},  // a cut-off three-byte character before Ą
        {"\x84\xC4\x84", "\x84\xC4\x85"},  // a stray continuation byte before Ą
    };
    for (const FoldCase& c : cases) {
        EXPECT_EQ(FoldName(c.name), c.folded) << c.name;
    }
}

TEST(FoldName, AReusedBufferHoldsOnlyTheLastName) {
    std::string buffer;
    FoldNameInto("Długa nazwa modelu|PRODUCENT", buffer);
    FoldNameInto("Ż", buffer);
    EXPECT_EQ(buffer, "ż");
    FoldNameInto("", buffer);
    EXPECT_EQ(buffer, "");
}

}  // namespace
}  // namespace pantrel
