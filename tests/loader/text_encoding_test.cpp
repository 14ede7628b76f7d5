#include <gtest/gtest.h>

#include <string>

#include "loader/model_queries.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

class TextEncodingTest : public ::testing::TestWithParam<const char*> {};

// The same file written in each encoding a specification may come in.
TEST_P(TextEncodingTest, PolishLettersComeBackAsUtf8) {
    testing::RecordingSink sink;
    DocumentHolder document;
    ASSERT_EQ(testing::LoadWithEmbeddedSchema(document, testing::DataFile(GetParam()), sink),
              S_OK_STATUS)
        << (sink.messages.empty() ? "" : sink.messages.front());
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
    ASSERT_EQ(models.size(), 1u);
    std::string name;
    std::string producer;
    EXPECT_TRUE(ReadModelName(models[0], name));
    EXPECT_TRUE(ReadDriverProducer(models[0], producer));
    EXPECT_EQ(name, "Łódź ŻÓŁW ąćęłńóśźż");
    EXPECT_EQ(producer, "Śląskie Zakłady Ęą");
}

INSTANTIATE_TEST_SUITE_P(Encodings, TextEncodingTest,
                         ::testing::Values("encoding_utf8.xml", "encoding_utf8_bom.xml",
                                           "encoding_utf16le.xml", "encoding_utf16be.xml",
                                           "encoding_windows1250.xml"));

}  // namespace
}  // namespace pantrel
