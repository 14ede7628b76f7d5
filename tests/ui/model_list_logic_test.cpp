// The rules of the model list without a toolkit: order, header pictures, the current row.
#include "ui/model_list_logic.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "recording_view.h"

namespace pantrel::testing {
namespace {

using Models = std::vector<std::string>;
using Images = std::array<int, 4>;

std::vector<ListRow> Rows(const std::vector<std::string>& models) {
    std::vector<ListRow> rows;
    for (const std::string& model : models) {
        rows.push_back(ListRow{DeviceKind::CashRegister, model, "P " + model, "/" + model});
    }
    return rows;
}

class ModelListLogicTest : public ::testing::Test {
protected:
    RecordingView view;
    ModelListLogic list{view};
};

TEST_F(ModelListLogicTest, OpensSortedByModelWithTheFirstRowCurrent) {
    list.RefreshList(Rows({"alfa", "Łania", "Zeta"}));
    EXPECT_EQ(view.Models(), (Models{"Zeta", "alfa", "Łania"}));
    EXPECT_EQ(view.headerImages, (Images{-1, SORT_ASCENDING_IMAGE, -1, -1}));
    EXPECT_EQ(view.GetCurrentItem(), 0);
    EXPECT_EQ(view.visibleRow, 0);
}

TEST_F(ModelListLogicTest, AnEmptyListIsNotSortedButAHeaderClickStillShowsItsPicture) {
    list.RefreshList({});
    EXPECT_EQ(view.headerImages, (Images{-1, -1, -1, -1}));
    EXPECT_EQ(view.GetCurrentItem(), -1);

    list.OnColumnClick(PRODUCER_COLUMN);
    EXPECT_EQ(view.headerImages, (Images{-1, NO_SORT_IMAGE, SORT_ASCENDING_IMAGE, -1}));
    EXPECT_EQ(view.GetCurrentItem(), -1);
}

TEST_F(ModelListLogicTest, AReReadKeepsThePositionAndPullsItBackWhenTheListShrank) {
    list.RefreshList(Rows({"a", "b", "c"}));
    view.Select(1);
    list.RefreshList(Rows({"a", "c", "d"}));
    EXPECT_EQ(view.CurrentModel(), "c");  // by position, not by identity

    view.Select(2);
    list.RefreshList(Rows({"a", "b"}));
    EXPECT_EQ(view.CurrentModel(), "b");
    EXPECT_EQ(list.RememberedRow(), 1);

    view.Deselect();
    list.RefreshList(Rows({"x", "y"}));
    EXPECT_EQ(view.CurrentModel(), "x");
}

TEST_F(ModelListLogicTest, HeaderClicksReverseOrMoveTheSortAndTheCurrentRowGoesAlong) {
    list.RefreshList(Rows({"b", "a", "c"}));
    view.Select(1);  // "b"

    list.OnColumnClick(MODEL_COLUMN);
    EXPECT_TRUE(list.SortDescending());
    EXPECT_EQ(view.Models(), (Models{"c", "b", "a"}));
    EXPECT_EQ(view.headerImages, (Images{-1, SORT_DESCENDING_IMAGE, -1, -1}));
    EXPECT_EQ(view.CurrentModel(), "b");

    view.Select(0);  // "c", which the next sort moves to the end
    list.OnColumnClick(PATH_COLUMN);
    EXPECT_FALSE(list.SortDescending());
    EXPECT_EQ(list.SortColumn(), PATH_COLUMN);
    EXPECT_EQ(view.Models(), (Models{"a", "b", "c"}));
    EXPECT_EQ(view.headerImages, (Images{-1, NO_SORT_IMAGE, -1, SORT_ASCENDING_IMAGE}));
    EXPECT_EQ(view.CurrentModel(), "c");
    EXPECT_EQ(view.visibleRow, 2);
    EXPECT_EQ(list.RememberedRow(), 2);

    list.OnColumnClick(MODEL_COLUMN);
    EXPECT_EQ(view.headerImages,
              (Images{-1, SORT_ASCENDING_IMAGE, -1, NO_SORT_IMAGE}));  // keeps its slot
}

TEST_F(ModelListLogicTest, WithoutACurrentRowASortMakesTheRememberedPositionCurrent) {
    list.RefreshList(Rows({"a", "b", "c"}));
    view.Select(2);
    list.OnColumnClick(MODEL_COLUMN);  // "c" moves to 0 and is remembered there
    EXPECT_EQ(list.RememberedRow(), 0);
    view.Select(1);
    list.OnColumnClick(MODEL_COLUMN);  // "b" stays at 1
    EXPECT_EQ(list.RememberedRow(), 1);

    view.Deselect();
    list.OnColumnClick(KIND_COLUMN);
    EXPECT_EQ(view.GetCurrentItem(), 1);
    EXPECT_EQ(view.visibleRow, 1);
}

TEST_F(ModelListLogicTest, TheKindColumnSortsCashRegistersFiscalPrintersLabelScales) {
    list.RefreshList({{DeviceKind::LabelScale, "w", "", ""},
                      {DeviceKind::CashRegister, "k", "", ""},
                      {DeviceKind::FiscalPrinter, "d", "", ""}});
    list.OnColumnClick(KIND_COLUMN);
    EXPECT_EQ(view.Models(), (Models{"k", "d", "w"}));
    list.OnColumnClick(KIND_COLUMN);
    EXPECT_EQ(view.Models(), (Models{"w", "d", "k"}));
}

}  // namespace
}  // namespace pantrel::testing
