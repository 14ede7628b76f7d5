#include <gtest/gtest.h>

#include <string>

#include "loader/model_queries.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

// The smallest valid file with one piece of text replaced; `valid` says whether it loads.
struct BlankCase {
    const char* from;
    const char* to;
    bool valid;
};

void PrintTo(const BlankCase& c, std::ostream* out) {
    *out << c.to;
}

constexpr const char* kVersion = "<Wersja>3</Wersja>";
constexpr const char* kModelEnd = "      </Model>";

class BlankValuesTest : public ::testing::TestWithParam<BlankCase> {};

TEST_P(BlankValuesTest, NumbersAreReadWithTheirBlanksCollapsed) {
    const BlankCase& c = GetParam();
    std::string text = testing::ReadBytes(testing::DataFile("valid_minimal.xml"));
    const std::size_t at = text.find(c.from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, std::string(c.from).size(), c.to);
    const testing::TempFolder folder;
    testing::RecordingSink sink;
    DocumentHolder document;
    const HResult status =
        testing::LoadWithEmbeddedSchema(document, folder.Write("puste.xml", text), sink);
    if (c.valid) {
        EXPECT_EQ(status, S_OK_STATUS) << (sink.messages.empty() ? "" : sink.messages.front());
    } else {
        EXPECT_LT(status, 0);
        EXPECT_EQ(sink.messages.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Valid, BlankValuesTest,
    ::testing::Values(
        BlankCase{kVersion, "<Wersja> 7 </Wersja>", true},
        BlankCase{kVersion, "<Wersja>\n\t7\r\n</Wersja>", true},
        BlankCase{kModelEnd,
                  "<Konfiguracja><Mapowanie rodzaj=\"Ceny\" liczbaPozycji=\" 3 \" "
                  "pierwszyId=\" 5 \"><Pozycja><Id> 1 </Id><Nazwa>a</Nazwa></Pozycja>"
                  "</Mapowanie></Konfiguracja>\n      </Model>",
                  true},
        BlankCase{kModelEnd,
                  "<Konfiguracja><Mapowanie rodzaj=\"Ceny\" liczbaPozycji=\" 1000 \"/>"
                  "</Konfiguracja>\n      </Model>",
                  true},
        BlankCase{kModelEnd,
                  "<Operacje><OdbiórSprzedaży usuwanie=\" true \"/></Operacje><Towary "
                  "rozdzielnośćKodówPLU=\" 1 \"><Towar ident=\"KodPLU\"><KodPLU min=\" 0 \" "
                  "max=\" 5 \"/><Cena max=\" 1.5 \"/></Towar></Towary>\n      </Model>",
                  true}));

INSTANTIATE_TEST_SUITE_P(
    StillInvalid, BlankValuesTest,
    ::testing::Values(
        BlankCase{kVersion, "<Wersja>1 2</Wersja>", false},
        BlankCase{kVersion, "<Wersja>-1</Wersja>", false},
        BlankCase{kVersion, "<Wersja> -1 </Wersja>", false},
        BlankCase{kVersion, "<Wersja>4294967296</Wersja>", false},
        BlankCase{kVersion, "<Wersja> 4294967296 </Wersja>", false},
        BlankCase{kVersion, "<Wersja></Wersja>", false},
        BlankCase{kVersion, "<Wersja>   </Wersja>", false},
        BlankCase{kModelEnd,
                  "<Konfiguracja><Mapowanie rodzaj=\"Ceny\" liczbaPozycji=\" 0 \"/>"
                  "</Konfiguracja>\n      </Model>",
                  false},
        BlankCase{kModelEnd,
                  "<Konfiguracja><Mapowanie rodzaj=\"Ceny\" liczbaPozycji=\" 1001 \"/>"
                  "</Konfiguracja>\n      </Model>",
                  false},
        BlankCase{kModelEnd,
                  "<Konfiguracja><Mapowanie rodzaj=\"Ceny\"><Pozycja><Id>1 2</Id><Nazwa>a"
                  "</Nazwa></Pozycja></Mapowanie></Konfiguracja>\n      </Model>",
                  false},
        BlankCase{"typ=\"Kasa fiskalna\"", "typ=\" Kasa fiskalna \"", false},
        BlankCase{kModelEnd,
                  "<Konfiguracja><Mapowanie rodzaj=\" Ceny\"/></Konfiguracja>\n      </Model>",
                  false}));

// Strings keep their blanks: the model name is read exactly as written.
TEST(BlankValuesStringTest, ModelNameKeepsItsBlanks) {
    std::string text = testing::ReadBytes(testing::DataFile("valid_minimal.xml"));
    text.replace(text.find("Orzeł 200"), std::string("Orzeł 200").size(), "  Orzeł 200 ");
    text.replace(text.find(kVersion), std::string(kVersion).size(), "<Wersja> 7 </Wersja>");
    const testing::TempFolder folder;
    testing::RecordingSink sink;
    DocumentHolder document;
    ASSERT_EQ(testing::LoadWithEmbeddedSchema(document, folder.Write("nazwa.xml", text), sink),
              S_OK_STATUS);
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
    ASSERT_EQ(models.size(), 1u);
    std::string name;
    EXPECT_TRUE(ReadModelName(models[0], name));
    EXPECT_EQ(name, "  Orzeł 200 ");
}

}  // namespace
}  // namespace pantrel
