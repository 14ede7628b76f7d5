#include "ui/list_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pantrel {
namespace {

std::vector<ListRow> Named(const std::vector<std::string>& models) {
    std::vector<ListRow> rows;
    for (const std::string& model : models) {
        rows.push_back(ListRow{DeviceKind::CashRegister, model, "P", "/s.xml"});
    }
    return rows;
}

TEST(ListRowsTest, ReorderingMovesPositionsAndTellsWhereEachOldPositionWent) {
    ListRows rows;
    rows.Append(Named({"a", "b", "c"}));
    EXPECT_EQ(rows.SetOrder({2, 0, 1}), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(rows.Row(0).model, "c");
    // From the order on screen (c, a, b) to b, c, a: c moves to 1, a to 2, b to 0.
    EXPECT_EQ(rows.SetOrder({1, 2, 0}), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(rows.Row(0).model, "b");
    EXPECT_EQ(rows.Filled()[0].model, "a");  // the rows themselves never move

    rows.Append(Named({"d"}));
    EXPECT_EQ(rows.Order(), (std::vector<int>{1, 2, 0, 3}));
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0U);
    EXPECT_TRUE(rows.Order().empty());
}

TEST(ListRowsTest, AnOrderThatIsNoPermutationChangesNothing) {
    ListRows rows;
    rows.Append(Named({"a", "b", "c"}));
    for (const std::vector<int>& wrong :
         std::vector<std::vector<int>>{{0, 1}, {0, 1, 1}, {0, 1, 3}, {-1, 0, 1}, {0, 1, 2, 3}}) {
        EXPECT_TRUE(rows.SetOrder(wrong).empty());
        EXPECT_EQ(rows.Order(), (std::vector<int>{0, 1, 2}));
    }
}

}  // namespace
}  // namespace pantrel
