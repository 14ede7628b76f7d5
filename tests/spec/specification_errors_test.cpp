#include "spec/specification_errors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spec_test_support.h"

namespace pantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Formatted(const std::string& path) {
    std::vector<std::string> lines;
    for (const SpecificationError& error : CollectSpecificationErrors(path)) {
        EXPECT_EQ(error.path, path);
        EXPECT_FALSE(error.description.ends_with("\n"));
        lines.push_back(FormatSpecificationError(error));
    }
    return lines;
}

TEST(SpecificationErrorsTest, ValidFileHasNone) {
    EXPECT_THAT(CollectSpecificationErrors(testing::DataFile("valid_all_sections.xml")), IsEmpty());
    EXPECT_THAT(CollectSpecificationErrors(testing::DataFile("valid_internal_entity.xml")),
                IsEmpty());
}

TEST(SpecificationErrorsTest, EveryErrorOfTheFileInOrder) {
    const testing::TempFolder folder;
    std::string text = testing::ReadBytes(testing::DataFile("valid_minimal.xml"));
    text.replace(text.find("<Wersja>3<"), 10, "<Wersja>x<");
    text.replace(text.find("kasy.dll"), 8, "");
    text.replace(text.find("Orzeł 200"), std::string("Orzeł 200").size(), "Orzeł|200");
    const std::string path = folder.Write("trzy bledy.xml", text);
    EXPECT_THAT(
        Formatted(path),
        ElementsAre(
            path + ":6:23: Element '{http://www.pantrel.pl/UF/Sterowniki.xsd}Wersja': 'x' is not a "
                   "valid value of the atomic type 'xs:unsignedInt'.",
            path + ":7:24: Element '{http://www.pantrel.pl/UF/Sterowniki.xsd}PlikExe': [facet "
                   "'minLength'] The value has a length of '0'; this underruns the allowed minimum "
                   "length of '1'.",
            path + ":10:33: Element '{http://www.pantrel.pl/UF/Sterowniki.xsd}Nazwa': [facet "
                   "'pattern'] The value 'Orzeł|200' is not accepted by the pattern '[^\\|]+'."));
}

TEST(SpecificationErrorsTest, RepeatedReportOfOneErrorCountsOnce) {
    const auto errors = CollectSpecificationErrors(testing::DataFile("safety_billion_laughs.xml"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().description, "Detected an entity reference loop");
}

TEST(SpecificationErrorsTest, MissingFileIsOneErrorWithoutPosition) {
    const testing::TempFolder folder;
    const std::string path = (folder.path() / "brak.xml").string();
    EXPECT_THAT(Formatted(path), ElementsAre(path + ":0:0: Nie można otworzyć pliku do odczytu."));
}

}  // namespace
}  // namespace pantrel
