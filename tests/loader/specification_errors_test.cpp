#include "loader/specification_errors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader_test_support.h"

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
            path + ":6:23: Element 'Wersja': wartość 'x' nie jest poprawną wartością typu "
                   "xs:unsignedInt (liczba całkowita od 0 do 4294967295).",
            path + ":7:24: Element 'PlikExe': wartość jest za krótka: ma 0 znaków, a najmniejsza "
                   "dozwolona długość to 1.",
            path + ":10:33: Element 'Nazwa': wartość 'Orzeł|200' nie pasuje do wzorca "
                   "'[^\\|]+'."));
}

// What the validator would say of the broken document after a well-formedness error (text in
// Sterowniki, where Sterownik's tag runs on) is no error of the file.
TEST(SpecificationErrorsTest, OnlyWellFormednessErrorsFollowTheFirst) {
    const testing::TempFolder folder;
    std::string text = testing::ReadBytes(testing::DataFile("valid_minimal.xml"));
    text.replace(text.find("fiskalna\">"), 10, "fiskalna\"");
    const std::string path = folder.Write("bez nawiasu.xml", text);
    EXPECT_THAT(
        Formatted(path),
        ElementsAre(path + ":4:5: W znaczniku brakuje poprawnej nazwy atrybutu.",
                    path + ":4:5: Brakuje odstępu (np. między atrybutami albo po nazwie elementu).",
                    path + ":4:5: Znacznik początkowy elementu 'Sterownik' otwartego w linii 3 nie "
                           "jest zamknięty znakiem '>'.",
                    path + ":14:15: Znacznik zamykający '</Sterownik>' nie pasuje do elementu "
                           "'Sterowniki' otwartego w linii 2.",
                    path + ":15:1: Po zamknięciu elementu głównego plik zawiera dalszą treść."));
}

TEST(SpecificationErrorsTest, RepeatedReportOfOneErrorCountsOnce) {
    const auto errors = CollectSpecificationErrors(testing::DataFile("safety_billion_laughs.xml"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().description,
              "Wykryto pętlę odwołań do encji albo nadmierne rozwijanie encji.");
}

TEST(SpecificationErrorsTest, MissingFileIsOneErrorWithoutPosition) {
    const testing::TempFolder folder;
    const std::string path = (folder.path() / "brak.xml").string();
    EXPECT_THAT(Formatted(path), ElementsAre(path + ":0:0: Nie można otworzyć pliku do odczytu."));
}

}  // namespace
}  // namespace pantrel
