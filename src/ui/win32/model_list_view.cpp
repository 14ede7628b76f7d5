#include "ui/win32/model_list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "base/wide_text_win32.h"
#include "kinds/device_kind.h"

namespace pantrel::win32 {
namespace {

constexpr std::array<const char*, LIST_COLUMN_COUNT> COLUMN_HEADERS = {
    "", "Model urządzenia", "Producent sterownika", "Specyfikacja"};

const std::string& ColumnText(const ListRow& row, int column) {
    static const std::string none;
    switch (column) {
        case MODEL_COLUMN:
            return row.model;
        case PRODUCER_COLUMN:
            return row.producer;
        case PATH_COLUMN:
            return row.path;
        default:
            return none;
    }
}

// Copies as much of the text as the control's buffer holds, never half a surrogate pair.
void CopyText(const std::string& text, wchar_t* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) {
        return;
    }
    const std::wstring wide = Widen(text);
    std::size_t units = std::min(wide.size(), static_cast<std::size_t>(capacity - 1));
    if (units < wide.size() && units > 0 && IS_HIGH_SURROGATE(wide[units - 1])) {
        --units;
    }
    std::copy_n(wide.data(), units, buffer);
    buffer[units] = L'\0';
}

void SetState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
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

void ModelListView::SetCount(std::size_t count) {
    SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

void ModelListView::Clear() {
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

void ModelListView::MoveRows(const std::vector<int>& newPosition) {
    const int rows = Count();
    if (static_cast<std::size_t>(rows) != newPosition.size()) {
        return;
    }
    const auto movedTo = [&](int row) {
        return row >= 0 && row < rows ? newPosition[static_cast<std::size_t>(row)] : -1;
    };
    // A single-selection list has at most one selected and one focused row: only they and the
    // mark move, whatever the number of rows.
    const auto next = [this](UINT flags) {
        return static_cast<int>(
            SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(flags, 0)));
    };
    const int selected = next(LVNI_SELECTED);
    const int focused = next(LVNI_FOCUSED);
    const int mark = static_cast<int>(SendMessageW(list_, LVM_GETSELECTIONMARK, 0, 0));
    if (focused >= 0 && movedTo(focused) != focused) {
        SetState(list_, movedTo(focused), LVIS_FOCUSED, LVIS_FOCUSED);
    }
    if (selected >= 0 && movedTo(selected) != selected) {
        SetState(list_, selected, 0, LVIS_SELECTED);
        SetState(list_, movedTo(selected), LVIS_SELECTED, LVIS_SELECTED);
    }
    SendMessageW(list_, LVM_SETSELECTIONMARK, 0, movedTo(mark));
    InvalidateRect(list_, nullptr, FALSE);
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

void AnswerDisplayInfo(NMLVDISPINFOW& request, const ListRows& rows) {
    LVITEMW& item = request.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows.Count()) {
        return;  // asked between a re-read's steps; the control asks again when it paints
    }
    const ListRow& row = rows.Row(item.iItem);
    if ((item.mask & LVIF_IMAGE) != 0) {
        item.iImage = item.iSubItem == KIND_COLUMN ? KindImageIndex(row.kind) : I_IMAGENONE;
    }
    if ((item.mask & LVIF_TEXT) != 0) {
        CopyText(ColumnText(row, item.iSubItem), item.pszText, item.cchTextMax);
    }
}

}  // namespace pantrel::win32
