// Helpers of the Qt window tests.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "ui/qt/pantrel_dlg.h"
#include "ui_store_support.h"

namespace pantrel::testing {

// The window on a store, shown and active so that its keys reach it.
void ShowAndActivate(CPantrelDlg& window);

// The text the list shows in a cell, as its model holds it.
std::string CellText(const CPantrelDlg& window, int row, int column);
// The device kind of a row, as its model holds it.
DeviceKind RowKind(const CPantrelDlg& window, int row);

// The model names of the list, top to bottom.
std::vector<std::string> ListedModels(const CPantrelDlg& window);

// Whether a popup menu opened while `trigger` ran, and where. `onPopup` acts on it (by default
// it is closed without a choice).
struct PopupSeen {
    bool shown = false;
    QPoint position;
};
PopupSeen CatchPopupMenu(const std::function<void()>& trigger,
                         const std::function<void(QWidget&)>& onPopup = {});

// Runs `trigger`, and `onModal` on the modal window that it opens (which `onModal` must close);
// false when none opened.
bool CatchModalWindow(const std::function<void()>& trigger,
                      const std::function<void(QWidget&)>& onModal);

// The window's child of that object name.
template <typename Widget>
Widget& Child(const QWidget& window, const char* objectName) {
    auto* child = window.findChild<Widget*>(QString::fromLatin1(objectName));
    if (child == nullptr) {
        throw std::logic_error(std::string("no child ") + objectName);
    }
    return *child;
}

}  // namespace pantrel::testing
