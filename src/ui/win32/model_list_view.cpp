#include "ui/win32/model_list_view.h"

#include <commctrl.h>

#include <cstddef>
#include <string>
#include <unordered_map>

#include "base/wide_text_win32.h"
#include "kinds/device_kind.h"
#include "ui/win32/kind_block.h"

namespace pantrel::win32 {
namespace {

constexpr std::array<const char*, LIST_COLUMN_COUNT> COLUMN_HEADERS = {
    "", "Model urządzenia", "Producent sterownika", "Specyfikacja"};

void SetSubItemText(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Orders two rows, known by their kind blocks, by the positions they are to take.
int CALLBACK CompareByPosition(LPARAM first, LPARAM second, LPARAM positions) {
    const auto& positionOf = *reinterpret_cast<const std::unordered_map<LPARAM, int>*>(positions);
    const int a = positionOf.at(first);
    const int b = positionOf.at(second);
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

void ModelListView::Prepare(HIMAGELIST kindImages, HIMAGELIST sortImages) {
    const auto extended =
        static_cast<DWORD>(SendMessageW(list_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extended | LVS_EX_FULLROWSELECT);
    // Without this style the control would destroy the window's image list with itself, and the
    // window would then destroy it a second time.
    SetWindowLongPtrW(list_, GWL_STYLE, GetWindowLongPtrW(list_, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    ListView_SetImageList(list_, kindImages, LVSIL_SMALL);
    Header_SetImageList(ListView_GetHeader(list_), sortImages);
}

int ModelListView::ClientWidth() const {
    RECT client{};
    GetClientRect(list_, &client);
    return client.right;
}

void ModelListView::AddColumns(const std::array<int, LIST_COLUMN_COUNT>& widths) {
    for (int column = 0; column < LIST_COLUMN_COUNT; ++column) {
        std::wstring header = Widen(COLUMN_HEADERS[static_cast<std::size_t>(column)]);
        LVCOLUMNW item{};
        item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        item.fmt = LVCFMT_LEFT;
        item.cx = widths[static_cast<std::size_t>(column)];
        item.pszText = header.data();
        item.iSubItem = column;
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&item));
    }
}

int ModelListView::Count() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

void ModelListView::Append(const std::vector<ListRow>& rows) {
    int row = Count();
    SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(row) + rows.size(), 0);
    for (const ListRow& source : rows) {
        const LPARAM block = NewKindBlock(source.kind);
        wchar_t empty[] = L"";
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = row;
        item.pszText = empty;
        item.iImage = KindImageIndex(source.kind);
        item.lParam = block;
        const auto inserted = static_cast<int>(
            SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (inserted < 0) {
            FreeKindBlock(block);
            continue;
        }
        SetSubItemText(list_, inserted, MODEL_COLUMN, source.model);
        SetSubItemText(list_, inserted, PRODUCER_COLUMN, source.producer);
        SetSubItemText(list_, inserted, PATH_COLUMN, source.path);
        row = inserted + 1;
    }
}

void ModelListView::Clear() {
    // Every block is freed before its row goes; the rows then go in one step, which costs the
    // same for a hundred thousand rows as for ten.
    const int rows = Count();
    for (int row = 0; row < rows; ++row) {
        const LPARAM block = ItemData(row);
        if (block != 0) {
            FreeKindBlock(block);
        }
    }
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

int ModelListView::GetCurrentItem() const {
    const auto mark = static_cast<int>(SendMessageW(list_, LVM_GETSELECTIONMARK, 0, 0));
    if (mark < 0) {
        return -1;
    }
    constexpr UINT CURRENT = LVIS_SELECTED | LVIS_FOCUSED;
    const auto state = static_cast<UINT>(
        SendMessageW(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(mark), CURRENT));
    return (state & CURRENT) == CURRENT ? mark : -1;
}

LPARAM ModelListView::ItemData(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void ModelListView::MoveRows(const std::vector<int>& newPosition) {
    // Each row is known by its kind block; the control compares the positions the rows are to
    // take, so the whole move costs O(n log n) whatever the texts.
    const int rows = Count();
    if (static_cast<std::size_t>(rows) != newPosition.size()) {
        return;
    }
    std::unordered_map<LPARAM, int> positionOf;
    positionOf.reserve(newPosition.size());
    for (int row = 0; row < rows; ++row) {
        positionOf.emplace(ItemData(row), newPosition[static_cast<std::size_t>(row)]);
    }
    SendMessageW(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&positionOf),
                 reinterpret_cast<LPARAM>(&CompareByPosition));
}

void ModelListView::SetHeaderImage(int column, int image) {
    const HWND header = ListView_GetHeader(list_);
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    item.iImage = image;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
}

void ModelListView::MakeCurrent(int row) {
    SendMessageW(list_, LVM_SETSELECTIONMARK, 0, row);
    ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ModelListView::EnsureVisible(int row) {
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

}  // namespace pantrel::win32
