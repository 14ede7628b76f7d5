#include "loader/embedded_schema.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <string>
#include <utility>
#include <vector>

#include "loader/embedded_resource.h"
#include "loader/parser_error.h"
#include "loader/specification_namespace.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

using ::testing::ElementsAreArray;

std::string EmbeddedSchemaBytes() {
    const auto bytes = FindEmbeddedResource("XML", 110);
    if (!bytes) {
        return {};
    }
    return {reinterpret_cast<const char*>(bytes->data()), bytes->size()};
}

std::string Attribute(xmlNode& node, const char* name) {
    const XmlStringPtr value(xmlGetProp(&node, AsXmlChars(name)));
    return value ? AsChars(value.get()) : "";
}

TEST(EmbeddedSchemaTest, ResourceHoldsTheSchemaFileByteForByte) {
    const std::string onDisk =
        testing::ReadBytes(std::string(PANTREL_SOURCE_DIR) + "/res/Sterowniki.xsd");
    ASSERT_FALSE(onDisk.empty());
    EXPECT_EQ(EmbeddedSchemaBytes(), onDisk);
}

TEST(EmbeddedSchemaTest, ResourceIsFoundByTypeAndIdOnly) {
    EXPECT_TRUE(FindEmbeddedResource("xml", 110).has_value());
    EXPECT_FALSE(FindEmbeddedResource("XML", 111).has_value());
    EXPECT_FALSE(FindEmbeddedResource("XSD", 110).has_value());
}

TEST(EmbeddedSchemaTest, TextIsWindows1250WithCrlfAndNoByteOrderMark) {
    const std::string schema = EmbeddedSchemaBytes();
    EXPECT_TRUE(schema.starts_with("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"));
    EXPECT_TRUE(schema.ends_with("</xs:schema>\r\n"));
    // Every line feed ends a CRLF pair.
    for (std::size_t at = schema.find('\n'); at != std::string::npos;
         at = schema.find('\n', at + 1)) {
        ASSERT_GT(at, 0u);
        ASSERT_EQ(schema[at - 1], '\r') << "bare line feed at byte " << at;
    }
    // "Wystawił" with the Windows-1250 byte for ł, never its UTF-8 form.
    EXPECT_NE(schema.find("Wystawi\xB3"), std::string::npos);
    EXPECT_EQ(schema.find("\xC5\x82"), std::string::npos);
    EXPECT_EQ(schema.find('\0'), std::string::npos);
}

TEST(EmbeddedSchemaTest, TargetAndDefaultNamespaceAreTheSpecificationNamespace) {
    XmlDocPtr schema;
    ASSERT_TRUE(LoadEmbeddedSchema(schema, 110));
    xmlNode* const root = xmlDocGetRootElement(schema.get());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Attribute(*root, "targetNamespace"), SPECIFICATION_NAMESPACE);
    const xmlNs* defaultNamespace = nullptr;
    for (const xmlNs* ns = root->nsDef; ns != nullptr; ns = ns->next) {
        if (ns->prefix == nullptr) {
            defaultNamespace = ns;
        }
    }
    ASSERT_NE(defaultNamespace, nullptr);
    EXPECT_EQ(std::string(AsChars(defaultNamespace->href)), SPECIFICATION_NAMESPACE);
    // And literally so in the resource's text.
    const std::string text = EmbeddedSchemaBytes();
    const std::string ns(SPECIFICATION_NAMESPACE);
    EXPECT_NE(text.find(" targetNamespace=\"" + ns + "\""), std::string::npos);
    EXPECT_NE(text.find(" xmlns=\"" + ns + "\""), std::string::npos);
    EXPECT_EQ(Attribute(*root, "elementFormDefault"), "qualified");
    EXPECT_EQ(Attribute(*root, "attributeFormDefault"), "unqualified");
    EXPECT_EQ(Attribute(*root, "id"), "Sterowniki");
}

TEST(EmbeddedSchemaTest, TopLevelDeclarationsComeInTheirFixedOrder) {
    XmlDocPtr schema;
    ASSERT_TRUE(LoadEmbeddedSchema(schema, 110));
    std::vector<std::pair<std::string, std::string>> declarations;
    for (xmlNode* node = xmlDocGetRootElement(schema.get())->children; node != nullptr;
         node = node->next) {
        if (node->type == XML_ELEMENT_NODE) {
            declarations.emplace_back(AsChars(node->name), Attribute(*node, "name"));
        }
    }
    const std::vector<std::pair<std::string, std::string>> expected{
        {"element", "Sterowniki"},       {"simpleType", "nazwaMapowania"},
        {"simpleType", "typUF"},         {"simpleType", "identTowaru"},
        {"simpleType", "nonZeroString"}, {"simpleType", "nonZeroStringNazwa"},
        {"complexType", "PLU"},          {"complexType", "PLU2"},
        {"complexType", "DokHdr"},       {"complexType", "DokItem"},
        {"simpleType", "liczbaMapowan"}, {"complexType", "anyElement"},
    };
    EXPECT_THAT(declarations, ElementsAreArray(expected));
}

TEST(EmbeddedSchemaTest, CompilesOnlyForItsOwnNamespace) {
    XmlDocPtr schema;
    ASSERT_TRUE(LoadEmbeddedSchema(schema, 110));
    EXPECT_NO_THROW(CompileSchema(std::move(schema), SPECIFICATION_NAMESPACE));
    XmlDocPtr again;
    ASSERT_TRUE(LoadEmbeddedSchema(again, 110));
    EXPECT_THROW(CompileSchema(std::move(again), "http://www.pantrel.pl/UF/Inne.xsd"), ParserError);
}

TEST(EmbeddedSchemaTest, UnknownResourceIdLoadsNothing) {
    XmlDocPtr schema;
    EXPECT_FALSE(LoadEmbeddedSchema(schema, 111));
    EXPECT_EQ(schema, nullptr);
}

}  // namespace
}  // namespace pantrel
