#include "ui/win32/model_list_view.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "ui/win32/kind_block.h"

namespace pantrel::win32 {
namespace {

// A hidden window holding a list-view styled as control 2001 of the main window.
class ModelListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (parent_ == nullptr) {
            GTEST_SKIP() << "no display for windows here; scripts/test-windows-window.sh runs this";
        }
        const HWND list = CreateWindowExW(
            0, WC_LISTVIEWW, L"",
            WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0,
            0, 500, 200, parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(list, nullptr);
        view_.Attach(list);
        view_.AddColumns({10, 100, 100, 100});
    }
    void TearDown() override {
        view_.Clear();
        if (parent_ != nullptr) {
            DestroyWindow(parent_);
        }
    }

    std::wstring Text(int row, int column) const {
        wchar_t text[128] = {};
        ListView_GetItemText(view_.Handle(), row, column, text, 128);
        return text;
    }
    LPARAM Data(int row) const {
        LVITEMW item{};
        item.mask = LVIF_PARAM | LVIF_IMAGE;
        item.iItem = row;
        ListView_GetItem(view_.Handle(), &item);
        return item.lParam;
    }
    int Image(int row) const {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ListView_GetItem(view_.Handle(), &item);
        return item.iImage;
    }
    void AppendThree() {
        view_.Append({{DeviceKind::LabelScale, "Alfa", "Wagex", "C:\\a.xml"},
                      {DeviceKind::CashRegister, "Łódź 1", "Kasprex", "C:\\b.xml"},
                      {DeviceKind::FiscalPrinter, "Zeta", "Drukpol", "C:\\c.xml"}});
    }

    HWND parent_ = nullptr;
    ModelListView view_;
};

TEST_F(ModelListViewTest, RowsShowTheirTextsLiterallyAndCarryTheirOwnKindBlock) {
    AppendThree();
    ASSERT_EQ(view_.Count(), 3);
    EXPECT_EQ(Text(0, 0), L"");
    EXPECT_EQ(Text(1, 1), L"Łódź 1");
    EXPECT_EQ(Text(1, 2), L"Kasprex");
    EXPECT_EQ(Text(2, 3), L"C:\\c.xml");
    EXPECT_EQ(Image(0), KindImageIndex(DeviceKind::LabelScale));
    EXPECT_EQ(Image(1), KindImageIndex(DeviceKind::CashRegister));
    const std::set<LPARAM> blocks{Data(0), Data(1), Data(2)};
    EXPECT_EQ(blocks.size(), 3u);
    EXPECT_EQ(KindInBlock(Data(2)), DeviceKind::FiscalPrinter);
}

TEST_F(ModelListViewTest, TheCurrentItemMustHoldTheMarkAndBeSelectedAndFocused) {
    AppendThree();
    EXPECT_EQ(view_.GetCurrentItem(), -1);
    view_.MakeCurrent(1);
    EXPECT_EQ(view_.GetCurrentItem(), 1);
    // Focus taken away from the marked row: it is selected but no longer current.
    ListView_SetItemState(view_.Handle(), 1, 0, LVIS_FOCUSED);
    EXPECT_EQ(view_.GetCurrentItem(), -1);
    // Selected and focused, but the mark is elsewhere.
    ListView_SetItemState(view_.Handle(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_SetSelectionMark(view_.Handle(), 2);
    EXPECT_EQ(view_.GetCurrentItem(), -1);
}

TEST_F(ModelListViewTest, MovedRowsKeepTheirTextsKindsAndTheCurrentState) {
    AppendThree();
    view_.MakeCurrent(1);
    const LPARAM current = Data(1);
    view_.MoveRows({2, 0, 1});  // Alfa to the end, Łódź first, Zeta second
    EXPECT_EQ(Text(0, 1), L"Łódź 1");
    EXPECT_EQ(Text(1, 1), L"Zeta");
    EXPECT_EQ(Text(2, 1), L"Alfa");
    EXPECT_EQ(KindInBlock(Data(2)), DeviceKind::LabelScale);
    EXPECT_EQ(view_.GetCurrentItem(), 0);
    EXPECT_EQ(Data(0), current);
}

TEST_F(ModelListViewTest, AMoveOfTheWrongLengthChangesNothing) {
    AppendThree();
    view_.MoveRows({1, 0});
    EXPECT_EQ(Text(0, 1), L"Alfa");
    EXPECT_EQ(Text(2, 1), L"Zeta");
}

TEST_F(ModelListViewTest, ClearDeletesEveryRow) {
    AppendThree();
    view_.Clear();
    EXPECT_EQ(view_.Count(), 0);
    EXPECT_EQ(view_.GetCurrentItem(), -1);
}

TEST_F(ModelListViewTest, TheHeaderShowsTheImageRightOfTheTextAndKeepsTheFlagForImageThree) {
    for (const int image : {1, 3}) {
        view_.SetHeaderImage(2, image);
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        Header_GetItem(ListView_GetHeader(view_.Handle()), 2, &item);
        EXPECT_EQ(item.fmt & (HDF_IMAGE | HDF_BITMAP_ON_RIGHT), HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
        EXPECT_EQ(item.iImage, image);
    }
}

TEST_F(ModelListViewTest, ColumnsTakeTheGivenWidths) {
    EXPECT_EQ(ListView_GetColumnWidth(view_.Handle(), 0), 10);
    EXPECT_EQ(ListView_GetColumnWidth(view_.Handle(), 3), 100);
}

TEST_F(ModelListViewTest, PrepareAddsFullRowSelectionAndKeepsTheImageListsTheWindows) {
    ListView_SetExtendedListViewStyle(view_.Handle(), LVS_EX_GRIDLINES);
    const HIMAGELIST kinds = ImageList_Create(15, 15, ILC_COLOR24 | ILC_MASK, 5, 0);
    const HIMAGELIST sorts = ImageList_Create(15, 15, ILC_COLOR24 | ILC_MASK, 3, 0);
    view_.Prepare(kinds, sorts);
    const auto extended = ListView_GetExtendedListViewStyle(view_.Handle());
    EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(ListView_GetImageList(view_.Handle(), LVSIL_SMALL), kinds);
    EXPECT_EQ(Header_GetImageList(ListView_GetHeader(view_.Handle())), sorts);
    EXPECT_NE(GetWindowLongPtrW(view_.Handle(), GWL_STYLE) & LVS_SHAREIMAGELISTS, 0);
    // The control borrows the lists: after it is gone they still work, and are freed here once.
    DestroyWindow(view_.Handle());
    EXPECT_EQ(ImageList_GetImageCount(kinds), 0);
    EXPECT_TRUE(ImageList_Destroy(kinds));
    EXPECT_TRUE(ImageList_Destroy(sorts));
    view_.Attach(nullptr);
}

}  // namespace
}  // namespace pantrel::win32
