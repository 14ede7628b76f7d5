#include "ui/win32/model_list_view.h"

#include <commctrl.h>

#include <cstddef>

#include "kinds/device_kind.h"
#include "ui/row_order.h"
#include "ui/win32/kind_block.h"
#include "ui/win32/wide_text.h"

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

// Orders two rows by the positions the sort gave their kind blocks.
int CALLBACK CompareByRank(LPARAM first, LPARAM second, LPARAM ranks) {
    const auto& rankOf = *reinterpret_cast<const std::unordered_map<LPARAM, int>*>(ranks);
    const int a = rankOf.at(first);
    const int b = rankOf.at(second);
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
    filled_.reserve(filled_.size() + rows.size());
    blocks_.reserve(blocks_.size() + rows.size());
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
        filledIndex_.emplace(block, static_cast<int>(filled_.size()));
        filled_.push_back(source);
        blocks_.push_back(block);
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
    filled_.clear();
    blocks_.clear();
    filledIndex_.clear();
}

int ModelListView::GetCurrentItem() const {
    const auto mark = static_cast<int>(SendMessageW(list_, LVM_GETSELECTIONMARK, 0, 0));
    if (mark < 0) {
        return -1;
    }
    constexpr UINT CURRENT = LVIS_SELECTED | LVIS_FOCUSED;
    const auto state =
        static_cast<UINT>(SendMessageW(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(mark), CURRENT));
    return (state & CURRENT) == CURRENT ? mark : -1;
}

std::string ModelListView::ItemText(int row, int column) const {
    // The control answers with the number of characters it copied; a full buffer may mean the
    // text was cut, so the buffer grows until it is not full.
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<std::size_t>(SendMessageW(
            list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return Narrow(buffer);
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

DeviceKind ModelListView::ItemKind(int row) const {
    return KindInBlock(ItemData(row));
}

LPARAM ModelListView::ItemData(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void ModelListView::Sort(int column, bool descending) {
    // The keys are computed once per row and ordered in O(n log n); the control then only
    // compares the ranks that the rows' kind blocks were given.
    const int rows = Count();
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        order.push_back(filledIndex_.at(ItemData(row)));
    }
    const std::vector<int> sorted = SortedRowOrder(filled_, order, column, descending);
    std::unordered_map<LPARAM, int> rankOf;
    rankOf.reserve(sorted.size());
    for (std::size_t position = 0; position < sorted.size(); ++position) {
        rankOf.emplace(blocks_[static_cast<std::size_t>(sorted[position])],
                       static_cast<int>(position));
    }
    SendMessageW(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&rankOf),
                 reinterpret_cast<LPARAM>(&CompareByRank));
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
