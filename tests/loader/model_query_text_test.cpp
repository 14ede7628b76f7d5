#include "loader/model_query_text.h"

#include <gtest/gtest.h>

namespace pantrel {
namespace {

TEST(ModelQueryTextTest, InstallAndUninstallRunExactlyTheseThreeQueries) {
    EXPECT_EQ(ModelQueryText("Kasa fiskalna", ""),
              "Zelvar:Sterownik[@typ=\"Kasa fiskalna\"]/Zelvar:Modele/Zelvar:Model");
    EXPECT_EQ(ModelQueryText("Waga etykietująca", ""),
              "Zelvar:Sterownik[@typ=\"Waga etykietująca\"]/Zelvar:Modele/Zelvar:Model");
    EXPECT_EQ(ModelQueryText("Drukarka fiskalna", ""),
              "Zelvar:Sterownik[@typ=\"Drukarka fiskalna\"]/Zelvar:Modele/Zelvar:Model");
}

TEST(ModelQueryTextTest, LiteralsUseTheQuoteTheTextLacks) {
    EXPECT_EQ(XPathStringLiteral(""), "\"\"");
    EXPECT_EQ(XPathStringLiteral("Firma 'Beta'"), "\"Firma 'Beta'\"");
    EXPECT_EQ(XPathStringLiteral("Firma \"Alfa\""), "'Firma \"Alfa\"'");
    EXPECT_EQ(XPathStringLiteral("\"A\" 'B'"), "concat('\"', \"A\", '\"', \" 'B'\")");
    EXPECT_EQ(XPathStringLiteral("'\""), "concat(\"'\", '\"')");
}

}  // namespace
}  // namespace pantrel
