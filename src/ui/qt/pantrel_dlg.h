// The main window on Qt.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <vector>

#include "ui/list_row.h"
#include "ui/main_window_view.h"
#include "ui/store_access.h"
#include "ui/user_prompts.h"
#include "ui/window_commands.h"

class QLabel;
class QPushButton;
class QShortcut;
class QTreeView;

namespace pantrel::qt {
class ModelListTable;
class SortHeaderView;
}  // namespace pantrel::qt

// The main window: every registered device model in one list, with the commands to add the
// models of a specification file, remove one model and re-read the list. The list is only a view
// of the registry; every change is followed by a full re-read. What is decided (rows, order,
// current row, commands, messages) is pantrel::WindowCommands'; this class is its Qt face.
class CPantrelDlg final : public QDialog, public pantrel::MainWindowView {
    Q_OBJECT

public:
    CPantrelDlg(pantrel::StoreAccess store, pantrel::UserPrompts& prompts,
                QWidget* parent = nullptr);
    ~CPantrelDlg() override;
    CPantrelDlg(const CPantrelDlg&) = delete;
    CPantrelDlg& operator=(const CPantrelDlg&) = delete;

    // The row that is both current and selected, or -1. The one test of whether a model is
    // chosen.
    int GetCurrentItem() const override;

    // Re-reads every registered model, sorts, and makes the row at the old current position
    // current again (the last row when the list became shorter).
    void RefreshList() { m_commands.RefreshList(); }
    // A click on a column header: sorts by it, or reverses the order of the sorted column.
    void OnColumnClick(int column) { m_commands.OnColumnClick(column); }

    // The list, buttons and cursor as the shared rules drive them.
    const pantrel::ListRows& Rows() const override;
    void ClearList() override;
    void AppendRows(std::vector<pantrel::ListRow> rows) override;
    void SetRowOrder(std::vector<int> order) override;
    void MakeCurrent(int row) override;
    void EnsureVisible(int row) override;
    void SetHeaderImage(int column, int image) override;
    void EnableGeneralCommands(bool enable) override;
    void EnableRowCommands(bool enable) override;
    void RememberFocus() override;
    void RestoreFocus() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void ShowStateNow() override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The commands: add the models of a file, remove the current model, re-read the list, the
    // hidden re-read of the current row, and the About box.
    void OnAddSpecification() { m_commands.OnAddSpecification(); }
    void OnRemoveModel() { m_commands.OnRemoveModel(); }
    void OnRefreshList() { m_commands.OnRefreshList(); }
    void OnUpdateCurrent() { m_commands.OnUpdateCurrent(); }
    void OnAbout();

    // Shows the model menu at a request's screen position; (-1, -1), as a request from the
    // keyboard carries, and any point outside the window open it at the window's corner.
    void ShowContextMenu(QPoint requestPosition);

    bool OnInitDialog();
    void CreateControls();
    void CreateShortcuts();
    void AddAboutEntry();
    void ConnectItemChanges();

    pantrel::WindowCommands m_commands;

    QIcon m_windowIcon;
    std::vector<QShortcut*> m_accelerators;  // children of the window
    QTreeView* m_modelList = nullptr;        // the controls are children of the window
    pantrel::qt::ModelListTable* m_rows = nullptr;
    pantrel::qt::SortHeaderView* m_header = nullptr;
    QLabel* m_caption = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_updateButton = nullptr;
    QPushButton* m_removeButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_aboutButton = nullptr;
    std::vector<QPixmap> m_kindImages;
    std::vector<QPixmap> m_sortImages;
    QPointer<QWidget> m_focusBeforeDisable;
};
