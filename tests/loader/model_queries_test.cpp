#include "loader/model_queries.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <string>
#include <vector>

#include "loader/specification_document.h"
#include "loader/specification_namespace.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

DocumentHolder LoadData(const char* file) {
    testing::RecordingSink sink;
    DocumentHolder document;
    EXPECT_EQ(testing::LoadWithEmbeddedSchema(document, testing::DataFile(file), sink),
              S_OK_STATUS);
    return document;
}

// A document no valid file could give, wrapped for the queries all the same.
DocumentHolder UnvalidatedDocument(const std::string& xml) {
    XmlDocPtr tree(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "bez-walidacji.xml",
                                 nullptr, XML_PARSE_NONET));
    EXPECT_NE(tree, nullptr);
    return MakeSpecificationDocument(std::move(tree), CompiledSchema{}, SPECIFICATION_NAMESPACE);
}

std::vector<std::string> Names(const ModelList& models) {
    std::vector<std::string> names;
    for (const ModelNode& model : models) {
        std::string name;
        EXPECT_TRUE(ReadModelName(model, name));
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> Select(const DocumentHolder& document, DeviceKind kind,
                                const std::string* producer = nullptr) {
    ModelList models;
    EXPECT_TRUE(SelectModels(document, models, kind, producer));
    return Names(models);
}

TEST(ModelQueriesTest, SelectsTheModelsOfOneKindInFileOrder) {
    const DocumentHolder document = LoadData("query_three_cash_registers.xml");
    EXPECT_THAT(Select(document, DeviceKind::CashRegister),
                ElementsAre("Kasa A", "Kasa B", "Kasa C"));
    EXPECT_THAT(Select(document, DeviceKind::LabelScale), IsEmpty());
    EXPECT_THAT(Select(document, DeviceKind::FiscalPrinter), IsEmpty());
    // No file can declare these; the selection runs and finds nothing.
    EXPECT_THAT(Select(document, DeviceKind::BarcodeReader), IsEmpty());
    EXPECT_THAT(Select(document, KindFromCode(4)), IsEmpty());
}

TEST(ModelQueriesTest, TwoDriversOfOneKindGiveTheFirstDriversModelsFirst) {
    const DocumentHolder document = LoadData("query_two_drivers_one_kind.xml");
    EXPECT_THAT(Select(document, DeviceKind::CashRegister), ElementsAre("K1", "K2", "K3"));
    EXPECT_THAT(Select(document, DeviceKind::LabelScale), ElementsAre("W1"));
}

TEST(ModelQueriesTest, ProducerIsTheDriversNotTheModels) {
    const DocumentHolder document = LoadData("query_model_producer_differs.xml");
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::FiscalPrinter));
    ASSERT_EQ(models.size(), 1u);
    std::string producer;
    EXPECT_TRUE(ReadDriverProducer(models[0], producer));
    EXPECT_EQ(producer, "Producent sterownika");
}

TEST(ModelQueriesTest, ProducerFilterTakesAnyQuotesLiterally) {
    const DocumentHolder document = LoadData("query_quoted_producers.xml");
    const std::string doubleQuoted = "Firma \"Alfa\"";
    const std::string singleQuoted = "Bractwo 'Beta'";
    const std::string bothQuotes = "\"Gamma\" i 'Delta'";
    const std::string plain = "Zwykły";
    const std::string nobody = "\" or \"1\"=\"1";
    EXPECT_THAT(Select(document, DeviceKind::CashRegister, &doubleQuoted), ElementsAre("Alfa 1"));
    EXPECT_THAT(Select(document, DeviceKind::CashRegister, &singleQuoted), ElementsAre("Beta 1"));
    EXPECT_THAT(Select(document, DeviceKind::CashRegister, &bothQuotes), ElementsAre("Gamma 1"));
    EXPECT_THAT(Select(document, DeviceKind::CashRegister, &plain), ElementsAre("Zwykła 1"));
    EXPECT_THAT(Select(document, DeviceKind::CashRegister, &nobody), IsEmpty());
}

TEST(ModelQueriesTest, EmptyProducerAddsNoCondition) {
    const DocumentHolder document = LoadData("query_quoted_producers.xml");
    const std::string empty;
    EXPECT_EQ(Select(document, DeviceKind::CashRegister, &empty),
              Select(document, DeviceKind::CashRegister));
    EXPECT_EQ(Select(document, DeviceKind::CashRegister).size(), 4u);
}

TEST(ModelQueriesTest, FailedSelectionLeavesTheListAsItWas) {
    const DocumentHolder valid = LoadData("query_three_cash_registers.xml");
    ModelList models;
    ASSERT_TRUE(SelectModels(valid, models, DeviceKind::CashRegister));
    ASSERT_EQ(models.size(), 3u);

    EXPECT_FALSE(SelectModels(DocumentHolder{}, models, DeviceKind::CashRegister));
    EXPECT_EQ(models.size(), 3u);

    const DocumentHolder otherRoot = UnvalidatedDocument(
        "<Inne xmlns=\"http://www.pantrel.pl/UF/Sterowniki.xsd\"><Sterownik typ=\"Kasa "
        "fiskalna\"/></Inne>");
    EXPECT_FALSE(SelectModels(otherRoot, models, DeviceKind::CashRegister));
    const DocumentHolder noNamespace = UnvalidatedDocument("<Sterowniki wersja=\"1\"/>");
    EXPECT_FALSE(SelectModels(noNamespace, models, DeviceKind::CashRegister));
    EXPECT_EQ(models.size(), 3u);
}

TEST(ModelQueriesTest, ModelsStayReadableAfterTheDocumentHolderIsDropped) {
    DocumentHolder document = LoadData("query_three_cash_registers.xml");
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
    document.reset();
    EXPECT_THAT(Names(models), ElementsAre("Kasa A", "Kasa B", "Kasa C"));
}

TEST(ModelQueriesTest, ReadChildTextOnEmptyOrChildlessNodes) {
    std::string text = "bez zmian";
    EXPECT_FALSE(ReadChildText(NodeHolder{}, "Zelvar:Nazwa", text));
    EXPECT_EQ(text, "bez zmian");
    EXPECT_FALSE(ReadModelName(NodeHolder{}, text));
    EXPECT_EQ(text, "bez zmian");

    const DocumentHolder document = UnvalidatedDocument(
        "<Sterowniki xmlns=\"http://www.pantrel.pl/UF/Sterowniki.xsd\"><Sterownik typ=\"Kasa "
        "fiskalna\"><Modele><Model><Producent>P</Producent></Model></Modele></Sterownik></"
        "Sterowniki>");
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
    ASSERT_EQ(models.size(), 1u);
    EXPECT_FALSE(ReadModelName(models[0], text));
    EXPECT_EQ(text, "");
    // The driver has no Producent either.
    text = "bez zmian";
    EXPECT_FALSE(ReadDriverProducer(models[0], text));
    EXPECT_EQ(text, "");
}

TEST(ModelQueriesTest, ReadChildTextGivesTheFirstMatchAndRaisesOnBadQueries) {
    const DocumentHolder document = LoadData("query_two_drivers_one_kind.xml");
    const NodeHolder root(document, xmlDocGetRootElement(&document->tree()));
    std::string text;
    EXPECT_TRUE(ReadChildText(root, "Zelvar:Sterownik/Zelvar:Producent", text));
    EXPECT_EQ(text, "Pierwszy");
    EXPECT_TRUE(ReadChildText(root, "Zelvar:Sterownik[3]/@typ", text));
    EXPECT_EQ(text, "Kasa fiskalna");
    try {
        ReadChildText(root, "Zelvar:Sterownik[", text);
        ADD_FAILURE() << "a broken query must raise";
    } catch (const ParserError& error) {
        EXPECT_LT(error.status(), 0);
    }
    // Only Zelvar is bound.
    EXPECT_THROW(ReadChildText(root, "x:Sterownik", text), ParserError);
}

TEST(ModelQueriesTest, DriverProducerOfNodesWithoutTwoAncestors) {
    const DocumentHolder document = LoadData("valid_minimal.xml");
    std::string text = "bez zmian";
    try {
        ReadDriverProducer(NodeHolder{}, text);
        ADD_FAILURE() << "an empty model node must raise";
    } catch (const ParserError& error) {
        EXPECT_EQ(error.status(), E_POINTER_STATUS);
    }
    // The document node has no parent at all.
    const NodeHolder documentNode(document, reinterpret_cast<xmlNode*>(&document->tree()));
    EXPECT_THROW(ReadDriverProducer(documentNode, text), ParserError);
    // The document element's parent (the document) has none.
    const NodeHolder root(document, xmlDocGetRootElement(&document->tree()));
    EXPECT_FALSE(ReadDriverProducer(root, text));
    EXPECT_EQ(text, "bez zmian");
}

// A plain child step ("Zelvar:Nazwa") is answered by walking the children; it must find what the
// XPath engine finds for the same step written so that the engine evaluates it.
TEST(ModelQueriesTest, PlainChildStepFindsWhatTheXPathEngineFinds) {
    const DocumentHolder document = UnvalidatedDocument(
        "<Sterowniki xmlns=\"http://www.pantrel.pl/UF/Sterowniki.xsd\" "
        "xmlns:x=\"http://example.invalid/x\"><Sterownik typ=\"Kasa fiskalna\">"
        "<x:Producent>obcy</x:Producent><Producent>Pierwszy<!--c--> <![CDATA[i]]> drugi</Producent>"
        "<Producent>Drugi</Producent><Modele><Model><Nazwa/><Nazwa>druga</Nazwa></Model>"
        "<Model>tekst<x:Nazwa>obca</x:Nazwa></Model></Modele></Sterownik></Sterowniki>");
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
    ASSERT_EQ(models.size(), 2u);
    xmlNode* const root = xmlDocGetRootElement(&document->tree());
    const std::vector<NodeHolder> nodes{
        models[0], models[1], NodeHolder(document, root), NodeHolder(document, root->children),
        NodeHolder(document, reinterpret_cast<xmlNode*>(&document->tree()))};
    int found = 0;
    for (const NodeHolder& node : nodes) {
        for (const std::string name :
             {"Nazwa", "Producent", "Modele", "Sterownik", "Sterowniki", "Brak"}) {
            std::string walked = "?";
            std::string evaluated = "?";
            const bool walkedFound = ReadChildText(node, "Zelvar:" + name, walked);
            EXPECT_EQ(walkedFound, ReadChildText(node, "child::Zelvar:" + name, evaluated)) << name;
            EXPECT_EQ(walked, evaluated) << name;
            found += walkedFound ? 1 : 0;
        }
    }
    EXPECT_EQ(found, 5);  // the first Nazwa, Sterownik, its Producent and Modele, Sterowniki
}

}  // namespace
}  // namespace pantrel
