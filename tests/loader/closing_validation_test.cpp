// The closing validation of the whole tree: it still decides, and the pass's own verdict takes its
// place only where the tree cannot differ from what the pass validated.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "loader/embedded_schema.h"
#include "loader/specification_loader.h"
#include "loader/specification_namespace.h"
#include "loader/validating_parse.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

TEST(ClosingValidationTest, WhatOnlyTheTreeShowsIsRejectedWithoutAMessage) {
    // The DTD gives Sterownik its typ: the validating pass sees the attribute, the tree has none.
    const std::string path = testing::DataFile("closing_attribute_defaulted_by_dtd.xml");
    testing::RecordingSink sink;
    DocumentHolder document;
    EXPECT_EQ(testing::LoadWithEmbeddedSchema(document, path, sink), E_FAIL_STATUS);
    EXPECT_EQ(document, nullptr);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
}

// Every file of the test data that the pass takes as its own tree's verdict: validating the tree
// once more gives the same answer, and no file with a DTD is ever taken so.
TEST(ClosingValidationTest, ThePassStandsForTheTreeOnlyWhereTheyAgree) {
    int taken = 0;
    int withDtd = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(testing::DataFile("")))) {
        if (entry.path().extension() != ".xml") {
            continue;
        }
        XmlDocPtr schemaDocument;
        ASSERT_TRUE(LoadEmbeddedSchema(schemaDocument, SCHEMA_RESOURCE_ID));
        const CompiledSchema schema =
            CompileSchema(std::move(schemaDocument), SPECIFICATION_NAMESPACE);
        ValidatingParseResult parsed =
            ParseAndValidate(entry.path().string(), *schema.schema, IssueScope::All);
        if (!parsed.document) {
            continue;
        }
        const bool hasDtd = parsed.document->intSubset != nullptr;
        withDtd += hasDtd ? 1 : 0;
        if (parsed.treeValidated) {
            ++taken;
            EXPECT_FALSE(hasDtd) << entry.path();
            EXPECT_TRUE(parsed.issues.empty()) << entry.path();
            EXPECT_TRUE(ValidateTree(*parsed.document, *schema.schema, nullptr)) << entry.path();
        }
    }
    EXPECT_GT(taken, 10);
    EXPECT_GT(withDtd, 1);
}

}  // namespace
}  // namespace pantrel
