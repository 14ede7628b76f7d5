#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "registry/registry_store.h"
#include "ui/user_prompts.h"

class QLabel;
class QPushButton;
class QShortcut;
class QTreeView;

namespace pantrel {
class ModelListTable;
class SortHeaderView;
}  // namespace pantrel

// The main window: every registered device model in one list, with the commands to add the
// models of a specification file, remove one model and re-read the list. The list is only a view
// of the registry; every change is followed by a full re-read.
class CPantrelDlg final : public QDialog {
    Q_OBJECT

public:
    // The header picture of a column that is no longer sorted: one past the last sort picture,
    // so the column keeps an image slot that draws nothing.
    static constexpr int NO_SORT_IMAGE = 3;

    CPantrelDlg(pantrel::RegistryStore& hive, pantrel::UserPrompts& prompts,
                QWidget* parent = nullptr);
    ~CPantrelDlg() override;
    CPantrelDlg(const CPantrelDlg&) = delete;
    CPantrelDlg& operator=(const CPantrelDlg&) = delete;

    // The row that is both current and selected, or -1. The one test of whether a model is
    // chosen.
    int GetCurrentItem() const;
    std::string GetItemModel(int row) const;
    std::string GetItemProducer(int row) const;
    pantrel::DeviceKind GetItemKind(int row) const;

    // Re-reads every registered model, sorts, and makes the row at the old current position
    // current again (the last row when the list became shorter).
    void RefreshList();
    // Appends the rows of one kind, in the order of its registry entries.
    void FillKind(pantrel::DeviceKind kind);
    void ClearList();
    // Sorts by the sort column and direction, shows the sort picture and keeps a row current and
    // in view.
    void SortList();
    void SetHeaderImage(int column, int image);
    // Disables the buttons around a long operation and afterwards gives the focus back to the
    // control that had it, when a row is current.
    void EnableControls(bool enable);
    bool SelectSpecificationFile(std::string& path);

    // The commands: add the models of a file, remove the current model, re-read the list, the
    // hidden re-read of the current row, a click on a column header, and the About box.
    void OnAddSpecification();
    void OnRemoveModel();
    void OnRefreshList();
    void OnUpdateCurrent();
    void OnColumnClick(int column);
    void OnAbout();

    // Shows the model menu at a request's screen position; (-1, -1), as a request from the
    // keyboard carries, and any point outside the window open it at the window's corner.
    void ShowContextMenu(QPoint requestPosition);

    int RememberedRow() const { return m_rememberedRow; }
    int SortColumn() const { return m_sortColumn; }
    bool SortDescending() const { return m_sortDescending; }
    // The client width the column widths were computed from.
    int ListClientWidth() const { return m_listClientWidth; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool OnInitDialog();
    void CreateControls();
    void CreateShortcuts();
    void AddAboutEntry();
    // A row's selection or focus changed; `newStateSet` when the row is now selected or current.
    void OnItemChanged(bool newStateSet);
    void ConnectItemChanges();

    pantrel::RegistryStore& m_hive;
    pantrel::UserPrompts& m_prompts;

    QIcon m_windowIcon;
    std::vector<QShortcut*> m_accelerators;  // children of the window
    QTreeView* m_modelList = nullptr;        // the controls are children of the window
    pantrel::ModelListTable* m_rows = nullptr;
    pantrel::SortHeaderView* m_header = nullptr;
    QLabel* m_caption = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_updateButton = nullptr;
    QPushButton* m_removeButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_aboutButton = nullptr;
    std::vector<QPixmap> m_kindImages;
    std::vector<QPixmap> m_sortImages;
    int m_rememberedRow = 0;
    int m_sortColumn = 1;
    bool m_sortDescending = false;
    QPointer<QWidget> m_focusBeforeDisable;
    int m_listClientWidth = 0;
};
