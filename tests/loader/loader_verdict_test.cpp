#include <gtest/gtest.h>

#include <string>

#include "loader/model_queries.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

// One file per rule of the format; a rejected file names the line of the offending element
// (where its start or end tag closes) in the one message it gets.
struct VerdictCase {
    const char* file;
    long messageLine;  // 0: the file is valid and loads without a message
};

void PrintTo(const VerdictCase& verdict, std::ostream* out) {
    *out << verdict.file;
}

class LoaderVerdictTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(LoaderVerdictTest, LoadsOrRejectsWithOneMessage) {
    const VerdictCase& verdict = GetParam();
    const std::string path = testing::DataFile(verdict.file);
    testing::RecordingSink sink;
    DocumentHolder document;
    const HResult status = testing::LoadWithEmbeddedSchema(document, path, sink);
    if (verdict.messageLine == 0) {
        EXPECT_EQ(status, S_OK_STATUS);
        EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
        ModelList models;
        ASSERT_NE(document, nullptr);
        EXPECT_TRUE(SelectModels(document, models, DeviceKind::CashRegister));
        return;
    }
    EXPECT_LT(status, 0);
    EXPECT_EQ(document, nullptr);
    ASSERT_EQ(sink.messages.size(), 1u);
    const std::string expectedStart =
        "Błąd w pliku '" + path + "' linia " + std::to_string(verdict.messageLine) + ", pozycja ";
    EXPECT_EQ(sink.messages.front().rfind(expectedStart, 0), 0u) << sink.messages.front();
}

// A mapping with `entries` Pozycja children, written into the smallest valid file.
std::string WriteMapping(const testing::TempFolder& folder, int entries) {
    std::string mapping = "<Konfiguracja><Mapowanie rodzaj=\"Ceny\">";
    for (int i = 0; i < entries; ++i) {
        mapping += "<Pozycja><Id>" + std::to_string(i) + "</Id><Nazwa>c</Nazwa></Pozycja>";
    }
    mapping += "</Mapowanie></Konfiguracja>\n";
    std::string text = testing::ReadBytes(testing::DataFile("valid_minimal.xml"));
    text.insert(text.find("      </Model>"), mapping);
    return folder.Write("mapowanie" + std::to_string(entries) + ".xml", text);
}

TEST(LoaderVerdictMappingTest, MappingHoldsAtMostAThousandEntries) {
    const testing::TempFolder folder;
    for (const int entries : {0, 1000}) {
        testing::RecordingSink sink;
        DocumentHolder document;
        EXPECT_EQ(testing::LoadWithEmbeddedSchema(document, WriteMapping(folder, entries), sink),
                  S_OK_STATUS)
            << entries;
    }
    testing::RecordingSink sink;
    DocumentHolder document;
    EXPECT_LT(testing::LoadWithEmbeddedSchema(document, WriteMapping(folder, 1001), sink), 0);
    EXPECT_EQ(sink.messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    ValidFiles, LoaderVerdictTest,
    ::testing::Values(
        VerdictCase{"valid_minimal.xml", 0}, VerdictCase{"valid_all_sections.xml", 0},
        VerdictCase{"valid_fiscal_printer.xml", 0}, VerdictCase{"valid_label_scale.xml", 0},
        VerdictCase{"valid_name_50_chars.xml", 0},
        VerdictCase{"valid_bar_in_driver_name_and_model_producer.xml", 0},
        VerdictCase{"valid_odbior_values.xml", 0}, VerdictCase{"valid_prefixed_namespace.xml", 0},
        VerdictCase{"valid_duplicate_models.xml", 0}, VerdictCase{"valid_internal_entity.xml", 0}));

INSTANTIATE_TEST_SUITE_P(
    RejectedFiles, LoaderVerdictTest,
    ::testing::Values(
        VerdictCase{"invalid_unclosed_element.xml", 13}, VerdictCase{"invalid_no_namespace.xml", 2},
        VerdictCase{"invalid_other_namespace.xml", 2}, VerdictCase{"invalid_typ_lower_case.xml", 3},
        VerdictCase{"invalid_typ_barcode_reader.xml", 3},
        VerdictCase{"invalid_typ_barcode_reader_capital.xml", 3},
        VerdictCase{"invalid_typ_surrounding_blank.xml", 3},
        VerdictCase{"invalid_no_wersja.xml", 2}, VerdictCase{"invalid_no_driver.xml", 3},
        VerdictCase{"invalid_no_modele.xml", 8}, VerdictCase{"invalid_no_model.xml", 9},
        VerdictCase{"invalid_model_name_51_chars.xml", 10},
        VerdictCase{"invalid_model_name_empty.xml", 10},
        VerdictCase{"invalid_model_name_bar.xml", 10},
        VerdictCase{"invalid_driver_producer_51_chars.xml", 5},
        VerdictCase{"invalid_driver_producer_empty.xml", 5},
        VerdictCase{"invalid_driver_producer_bar.xml", 5},
        VerdictCase{"invalid_producer_before_name.xml", 10},
        VerdictCase{"invalid_goods_before_configuration.xml", 13},
        VerdictCase{"invalid_mapping_without_kind.xml", 12},
        VerdictCase{"invalid_mapping_kind_lower_case.xml", 12},
        VerdictCase{"invalid_mapping_count_zero.xml", 12},
        VerdictCase{"invalid_mapping_count_1001.xml", 12},
        VerdictCase{"invalid_goods_without_item.xml", 12},
        VerdictCase{"invalid_item_without_ident.xml", 12},
        VerdictCase{"invalid_document_without_item.xml", 12},
        VerdictCase{"invalid_document_two_headers.xml", 12},
        VerdictCase{"invalid_collection_without_deletion.xml", 12},
        VerdictCase{"invalid_collection_with_text.xml", 12},
        VerdictCase{"invalid_price_change_shelf_life_with_dot.xml", 12},
        VerdictCase{"invalid_item_shelf_life_plain_z.xml", 12},
        VerdictCase{"invalid_plu_max_zero.xml", 12},
        VerdictCase{"invalid_plu2_code_with_attribute.xml", 12},
        VerdictCase{"invalid_prefixed_attribute.xml", 2},
        VerdictCase{"invalid_foreign_element.xml", 12},
        VerdictCase{"invalid_version_not_number.xml", 6},
        VerdictCase{"invalid_undeclared_entity.xml", 11}));

}  // namespace
}  // namespace pantrel
