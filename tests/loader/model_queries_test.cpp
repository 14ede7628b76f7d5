#include "loader/model_queries.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

    EXPECT_EQ(models.size(), 3u);
}

TEST(ModelQueriesTest, ModelsStayReadableAfterTheDocumentHolderIsDropped) {
    DocumentHolder document = LoadData("query_three_cash_registers.xml");
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
    document.reset();
    EXPECT_THAT(Names(models), ElementsAre("Kasa A", "Kasa B", "Kasa C"));
}

TEST(ModelQueriesTest, ReadChildTextOnEmptyOrUnknownModels) {
    std::string text = "bez zmian";
    EXPECT_FALSE(ReadChildText(NodeHolder{}, "Zelvar:Nazwa", text));
    EXPECT_FALSE(ReadModelName(NodeHolder{}, text));
    const NodeHolder pastTheEnd(LoadData("valid_minimal.xml"), 1);
    EXPECT_FALSE(ReadModelName(pastTheEnd, text));
    EXPECT_EQ(text, "bez zmian");
}

// A loaded document keeps of each model its name only; other queries must not pass for it.
TEST(ModelQueriesTest, ReadChildTextAnswersTheNameAndRaisesOnOtherQueries) {
    const DocumentHolder document = LoadData("query_model_producer_differs.xml");
    ModelList models;
    ASSERT_TRUE(SelectModels(document, models, DeviceKind::FiscalPrinter));
    ASSERT_EQ(models.size(), 1u);
    std::string name;
    std::string stepName;
    EXPECT_TRUE(ReadChildText(models[0], "Zelvar:Nazwa", name));
    EXPECT_TRUE(ReadChildText(models[0], "child::Zelvar:Nazwa", stepName));
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name, stepName);
    for (const char* query : {"Zelvar:Producent", "Zelvar:Sterownik[", "x:Nazwa", ""}) {
        std::string text = "bez zmian";
        try {
            ReadChildText(models[0], query, text);
            ADD_FAILURE() << "no answer for " << query;
        } catch (const ParserError& error) {
            EXPECT_EQ(error.status(), E_FAIL_STATUS) << query;
        }
        EXPECT_EQ(text, "bez zmian");
    }
}

TEST(ModelQueriesTest, DriverProducerOfMissingModelsRaises) {
    const DocumentHolder document = LoadData("valid_minimal.xml");
    std::string text = "bez zmian";
    for (const NodeHolder& missing : {NodeHolder{}, NodeHolder(document, 1)}) {
        try {
            ReadDriverProducer(missing, text);
            ADD_FAILURE() << "a missing model must raise";
        } catch (const ParserError& error) {
            EXPECT_EQ(error.status(), E_POINTER_STATUS);
        }
    }
    EXPECT_EQ(text, "bez zmian");
}

}  // namespace
}  // namespace pantrel
