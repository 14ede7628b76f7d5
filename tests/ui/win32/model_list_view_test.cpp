#include "ui/win32/model_list_view.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "ui/list_rows.h"

namespace pantrel::win32 {
namespace {

// The window that owns the list answers its requests for texts from the rows, as the main
// window does.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        const auto* rows =
            reinterpret_cast<const ListRows*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (header.code == LVN_GETDISPINFOW && rows != nullptr) {
            AnswerDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam), *rows);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A hidden window holding a virtual list-view styled as control 2001 of the main window.
class ModelListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSW parentClass{};
        parentClass.lpfnWndProc = &ParentProc;
        parentClass.hInstance = GetModuleHandleW(nullptr);
        parentClass.lpszClassName = L"PantrelListParent";
        RegisterClassW(&parentClass);
        parent_ = CreateWindowExW(0, L"PantrelListParent", L"", WS_POPUP, 0, 0, 600, 300, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        if (parent_ == nullptr) {
            GTEST_SKIP() << "no display for windows here; scripts/test-windows-window.sh runs this";
        }
        SetWindowLongPtrW(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&rows_));
        const HWND list =
            CreateWindowExW(0, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                            0, 0, 500, 200, parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
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
    int Image(int row) const {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ListView_GetItem(view_.Handle(), &item);
        return item.iImage;
    }
    void AppendThree() {
        rows_.Append({{DeviceKind::LabelScale, "Alfa", "Wagex", "C:\\a.xml"},
                      {DeviceKind::CashRegister, "Łódź 1", "Kasprex", "C:\\b.xml"},
                      {DeviceKind::FiscalPrinter, "Zeta", "Drukpol", "C:\\c.xml"}});
        view_.SetCount(rows_.Count());
    }
    // Shows Filled()[order[i]] at position i, as the window does after a sort.
    void Reorder(std::vector<int> order) { view_.MoveRows(rows_.SetOrder(std::move(order))); }

    HWND parent_ = nullptr;
    ListRows rows_;
    ModelListView view_;
};

TEST_F(ModelListViewTest, RowsShowTheirTextsLiterallyAndTheirKindsPicture) {
    AppendThree();
    ASSERT_EQ(view_.Count(), 3);
    EXPECT_EQ(Text(0, 0), L"");
    EXPECT_EQ(Text(1, 1), L"Łódź 1");
    EXPECT_EQ(Text(1, 2), L"Kasprex");
    EXPECT_EQ(Text(2, 3), L"C:\\c.xml");
    EXPECT_EQ(Image(0), KindImageIndex(DeviceKind::LabelScale));
    EXPECT_EQ(Image(1), KindImageIndex(DeviceKind::CashRegister));
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

TEST_F(ModelListViewTest, MovedRowsShowTheNewOrderAndTheCurrentStateGoesWithItsRow) {
    struct Case {
        int current;              // made current before the move
        std::vector<int> order;   // position -> filled row
        std::wstring firstModel;  // shown first afterwards
        int currentAfter;         // -1: none
    };
    const std::vector<Case> cases{
        {1, {1, 2, 0}, L"Łódź 1", 0},  // Łódź first, Zeta second, Alfa last
        {0, {1, 2, 0}, L"Łódź 1", 2},
        {2, {0, 1, 2}, L"Alfa", 2},  // the same order: nothing moves
        {-1, {2, 1, 0}, L"Zeta", -1},
    };
    for (const Case& c : cases) {
        view_.Clear();
        rows_.Clear();
        AppendThree();
        if (c.current >= 0) {
            view_.MakeCurrent(c.current);
        }
        Reorder(c.order);
        EXPECT_EQ(Text(0, 1), c.firstModel) << c.current;
        EXPECT_EQ(view_.GetCurrentItem(), c.currentAfter) << c.current;
        // No other row kept a selection or the focus.
        EXPECT_EQ(ListView_GetSelectedCount(view_.Handle()), c.currentAfter >= 0 ? 1u : 0u);
    }
}

TEST_F(ModelListViewTest, AMoveOfTheWrongLengthChangesNothing) {
    AppendThree();
    view_.MakeCurrent(1);
    view_.MoveRows({1, 0});
    EXPECT_EQ(Text(0, 1), L"Alfa");
    EXPECT_EQ(view_.GetCurrentItem(), 1);
}

TEST_F(ModelListViewTest, ClearDeletesEveryRowAndTheCurrentOne) {
    AppendThree();
    view_.MakeCurrent(2);
    view_.Clear();
    EXPECT_EQ(view_.Count(), 0);
    EXPECT_EQ(view_.GetCurrentItem(), -1);
}

// The answer needs no control: what a row shows in a buffer of the control's size.
TEST(AnswerDisplayInfo, FillsTheBufferAsFarAsItReachesWithoutHalfALetter) {
    ListRows rows;
    rows.Append({{DeviceKind::FiscalPrinter, "Łódź \xF0\x9F\x98\x80", "P", "C:\\x.xml"}});
    struct Case {
        int row;
        int column;
        int capacity;
        std::wstring text;
        int image;
    };
    const int printer = KindImageIndex(DeviceKind::FiscalPrinter);
    const std::vector<Case> cases{
        {0, MODEL_COLUMN, 64, L"Łódź \U0001F600", I_IMAGENONE},
        {0, MODEL_COLUMN, 7, L"Łódź ", I_IMAGENONE},  // the emoji's pair does not fit: none of it
        {0, MODEL_COLUMN, 1, L"", I_IMAGENONE},
        {0, PATH_COLUMN, 64, L"C:\\x.xml", I_IMAGENONE},
        {0, KIND_COLUMN, 64, L"", printer},
        {1, MODEL_COLUMN, 64, L"?", -7},  // no such row: the request is left as it came
    };
    for (const Case& c : cases) {
        std::wstring buffer(64, L'?');
        buffer[1] = L'\0';
        NMLVDISPINFOW request{};
        request.item.mask = LVIF_TEXT | LVIF_IMAGE;
        request.item.iItem = c.row;
        request.item.iSubItem = c.column;
        request.item.pszText = buffer.data();
        request.item.cchTextMax = c.capacity;
        request.item.iImage = -7;
        AnswerDisplayInfo(request, rows);
        EXPECT_EQ(std::wstring{buffer.c_str()}, c.text) << c.column << " " << c.capacity;
        EXPECT_EQ(request.item.iImage, c.image) << c.column;
    }
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
