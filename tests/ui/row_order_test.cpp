#include "ui/row_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pantrel {
namespace {

std::vector<ListRow> RowsWithModels(const std::vector<std::string>& models) {
    std::vector<ListRow> rows;
    rows.reserve(models.size());
    for (const std::string& model : models) {
        rows.push_back(ListRow{DeviceKind::CashRegister, model, "P", "/s.xml"});
    }
    return rows;
}

std::vector<int> Identity(const std::vector<ListRow>& rows) {
    std::vector<int> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    return order;
}

std::vector<std::string> ModelsInOrder(const std::vector<ListRow>& rows,
                                       const std::vector<int>& order) {
    std::vector<std::string> models;
    models.reserve(order.size());
    for (const int index : order) {
        models.push_back(rows[static_cast<std::size_t>(index)].model);
    }
    return models;
}

TEST(RowOrderTest, CapitalsBeforeSmallLettersBeforePolishLetters) {
    const std::vector<ListRow> rows = RowsWithModels({"Łania", "alfa", "Zeta", "ala", "Al"});
    EXPECT_EQ(ModelsInOrder(rows, SortedRowOrder(rows, Identity(rows), MODEL_COLUMN, false)),
              (std::vector<std::string>{"Al", "Zeta", "ala", "alfa", "Łania"}));
    EXPECT_EQ(ModelsInOrder(rows, SortedRowOrder(rows, Identity(rows), MODEL_COLUMN, true)),
              (std::vector<std::string>{"Łania", "alfa", "ala", "Zeta", "Al"}));
}

TEST(RowOrderTest, PolishLettersInWindows1250ByteOrder) {
    // Windows-1250 puts Ś (0x8C) before Ł (0xA3) before Ż (0xAF) before ó (0xF3).
    const std::vector<ListRow> rows = RowsWithModels({"ó", "Ż", "Ł", "Ś", "z"});
    EXPECT_EQ(ModelsInOrder(rows, SortedRowOrder(rows, Identity(rows), MODEL_COLUMN, false)),
              (std::vector<std::string>{"z", "Ś", "Ł", "Ż", "ó"}));
}

TEST(RowOrderTest, KindColumnByKindCode) {
    const std::vector<ListRow> rows{
        {DeviceKind::LabelScale, "a", "", ""},
        {DeviceKind::CashRegister, "b", "", ""},
        {DeviceKind::FiscalPrinter, "c", "", ""},
        {DeviceKind::CashRegister, "d", "", ""},
    };
    EXPECT_EQ(ModelsInOrder(rows, SortedRowOrder(rows, Identity(rows), KIND_COLUMN, false)),
              (std::vector<std::string>{"b", "d", "c", "a"}));
    EXPECT_EQ(ModelsInOrder(rows, SortedRowOrder(rows, Identity(rows), KIND_COLUMN, true)),
              (std::vector<std::string>{"a", "c", "b", "d"}));
}

TEST(RowOrderTest, ProducerAndPathColumnsSortTheirOwnTexts) {
    const std::vector<ListRow> rows{
        {DeviceKind::CashRegister, "1", "b", "/z.xml"},
        {DeviceKind::CashRegister, "2", "a", "/y.xml"},
        {DeviceKind::CashRegister, "3", "c", "/x.xml"},
    };
    EXPECT_EQ(SortedRowOrder(rows, Identity(rows), PRODUCER_COLUMN, false),
              (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(SortedRowOrder(rows, Identity(rows), PATH_COLUMN, false),
              (std::vector<int>{2, 1, 0}));
}

TEST(RowOrderTest, PrefixFirstAndEqualTextsKeepTheirOrder) {
    const std::vector<ListRow> rows{
        {DeviceKind::CashRegister, "AB", "1", ""},
        {DeviceKind::CashRegister, "A", "2", ""},
        {DeviceKind::FiscalPrinter, "AB", "3", ""},
    };
    EXPECT_EQ(SortedRowOrder(rows, Identity(rows), MODEL_COLUMN, false),
              (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(SortedRowOrder(rows, Identity(rows), MODEL_COLUMN, true),
              (std::vector<int>{0, 2, 1}));
}

TEST(RowOrderTest, StartsFromTheOrderOnScreen) {
    const std::vector<ListRow> rows{
        {DeviceKind::CashRegister, "b", "same", ""},
        {DeviceKind::CashRegister, "a", "same", ""},
        {DeviceKind::CashRegister, "c", "other", ""},
    };
    // On screen: c, a, b. Sorting by producer keeps a before b, and names filled rows.
    EXPECT_EQ(SortedRowOrder(rows, {2, 1, 0}, PRODUCER_COLUMN, false), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(SortedRowOrder(rows, {2, 1, 0}, PRODUCER_COLUMN, true), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(SortedRowOrder(rows, {2, 1, 0}, MODEL_COLUMN, false), (std::vector<int>{1, 0, 2}));
}

TEST(RowOrderTest, CharactersBeyondTheCodePageComeAfterIt) {
    // The euro sign is in Windows-1250 (0x80); the yen sign is not and sorts after ţ (0xFE).
    const std::vector<ListRow> rows = RowsWithModels({"¥", "ţ", "€"});
    EXPECT_EQ(ModelsInOrder(rows, SortedRowOrder(rows, Identity(rows), MODEL_COLUMN, false)),
              (std::vector<std::string>{"€", "ţ", "¥"}));
}

}  // namespace
}  // namespace pantrel
