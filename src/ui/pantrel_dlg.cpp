#include "ui/pantrel_dlg.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <array>
#include <cstdint>
#include <type_traits>

#include "kinds/string_table.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/specification_install.h"
#include "ui/about_dlg.h"
#include "ui/dialog_units.h"
#include "ui/image_strip.h"
#include "ui/list_row.h"
#include "ui/model_list_table.h"
#include "ui/prompt_message_sink.h"
#include "ui/row_order.h"
#include "ui/sort_header_view.h"
#include "ui/ui_text.h"
#include "ui/wait_cursor.h"

using pantrel::DeviceKind;

namespace {

// The removal question names the model in place of its one "%s".
std::string FormatWithModel(std::string_view pattern, const std::string& model) {
    std::string text{pattern};
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, model);
    }
    return text;
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* text,
                        const QRect& geometry) {
    auto* button = new QPushButton(pantrel::Utf8(text), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setGeometry(geometry);
    return button;
}

}  // namespace

CPantrelDlg::CPantrelDlg(pantrel::RegistryStore& hive, pantrel::UserPrompts& prompts,
                         QWidget* parent)
    : QDialog(parent), m_hive(hive), m_prompts(prompts), m_windowIcon(pantrel::LoadWindowIcon()) {
    setObjectName(QStringLiteral("CPantrelDlg"));
    setWindowTitle(pantrel::Utf8("Sterowniki uniwersalne firmy Tarvex - program serwisowy"));
    // A fixed frame with a system menu and a minimise box; no help button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    CreateControls();
    CreateShortcuts();
    OnInitDialog();
}

CPantrelDlg::~CPantrelDlg() {
    ClearList();
}

void CPantrelDlg::CreateControls() {
    const pantrel::DialogBaseUnits units = pantrel::MeasureDialogBaseUnits(font());
    setFixedSize(pantrel::DialogRect(units, 0, 0, 320, 160).size());

    // Created in the order of the tab chain.
    m_caption = new QLabel(pantrel::Utf8("Modele urządzeń zewnętrznych:"), this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setGeometry(pantrel::DialogRect(units, 7, 7, 305, 8));

    m_modelList = new QTreeView(this);
    m_modelList->setObjectName(QStringLiteral("modelList"));
    m_modelList->setGeometry(pantrel::DialogRect(units, 7, 19, 305, 113));
    m_header = new pantrel::SortHeaderView(m_modelList);
    m_header->setObjectName(QStringLiteral("modelListHeader"));
    m_modelList->setHeader(m_header);
    m_rows = new pantrel::ModelListTable(this);
    m_modelList->setModel(m_rows);
    m_modelList->setRootIsDecorated(false);
    m_modelList->setItemsExpandable(false);
    m_modelList->setExpandsOnDoubleClick(false);
    m_modelList->setIndentation(0);
    m_modelList->setUniformRowHeights(true);
    m_modelList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_modelList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_modelList->setSortingEnabled(false);  // the order is set by SortList only
    m_modelList->setIconSize(QSize(pantrel::STRIP_CELL_SIZE, pantrel::STRIP_CELL_SIZE));
    m_modelList->setWordWrap(false);
    m_header->setSectionsClickable(true);
    m_header->setSectionsMovable(false);
    m_header->setStretchLastSection(false);
    m_header->setMinimumSectionSize(0);  // the kind column is narrower than Qt's default
    m_header->setHighlightSections(false);
    m_header->setSortIndicatorShown(false);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_header, &QHeaderView::sectionClicked, this, &CPantrelDlg::OnColumnClick);

    m_addButton =
        MakeButton(this, "addButton", "&Dodaj", pantrel::DialogRect(units, 7, 139, 50, 14));
    m_updateButton = MakeButton(this, "updateButton", "U&aktualnij",
                                pantrel::DialogRect(units, 115, 139, 50, 14));
    m_updateButton->setVisible(false);
    m_updateButton->setEnabled(false);
    m_removeButton =
        MakeButton(this, "removeButton", "&Usuń", pantrel::DialogRect(units, 61, 139, 50, 14));
    m_closeButton =
        MakeButton(this, "closeButton", "Zamknij", pantrel::DialogRect(units, 263, 139, 49, 14));
    m_closeButton->setDefault(true);

    connect(m_addButton, &QPushButton::clicked, this, &CPantrelDlg::OnAddSpecification);
    connect(m_updateButton, &QPushButton::clicked, this, &CPantrelDlg::OnUpdateCurrent);
    connect(m_removeButton, &QPushButton::clicked, this, &CPantrelDlg::OnRemoveModel);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    ConnectItemChanges();
}

void CPantrelDlg::CreateShortcuts() {
    const auto add = [this](const QKeySequence& keys, auto handler) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        if constexpr (!std::is_same_v<decltype(handler), std::nullptr_t>) {
            connect(shortcut, &QShortcut::activated, this, handler);
        }
        m_accelerators.push_back(shortcut);
    };
    // Wherever the focus is inside the window, the buttons included.
    add(QKeySequence(Qt::CTRL | Qt::Key_R), &CPantrelDlg::OnRefreshList);
    add(QKeySequence(Qt::Key_F5), &CPantrelDlg::OnRefreshList);
    add(QKeySequence(Qt::Key_Delete), &CPantrelDlg::OnRemoveModel);
    // The keyboard's other context-menu request; the menu key arrives as a context-menu event.
    add(QKeySequence(Qt::SHIFT | Qt::Key_F10), [this] { ShowContextMenu(QPoint(-1, -1)); });
    // There is no help: F1 is taken here so that nothing else answers it.
    add(QKeySequence(Qt::Key_F1), nullptr);
    add(QKeySequence(Qt::SHIFT | Qt::Key_F1), nullptr);
}

void CPantrelDlg::AddAboutEntry() {
    // The window manager owns the system menu here, so the entry is a button of the window.
    const QString text = pantrel::ResourceText(pantrel::IDS_ABOUT_ENTRY);
    if (!text.isEmpty()) {
        const pantrel::DialogBaseUnits units = pantrel::MeasureDialogBaseUnits(font());
        m_aboutButton = new QPushButton(text, this);
        m_aboutButton->setObjectName(QStringLiteral("aboutButton"));
        m_aboutButton->setGeometry(pantrel::DialogRect(units, 209, 139, 50, 14));
        connect(m_aboutButton, &QPushButton::clicked, this, &CPantrelDlg::OnAbout);
    }
    setWindowIcon(m_windowIcon);
}

bool CPantrelDlg::OnInitDialog() {
    AddAboutEntry();

    m_kindImages = pantrel::LoadKindImages();
    m_sortImages = pantrel::LoadSortImages();
    m_modelList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_modelList->setAllColumnsShowFocus(true);

    // The client width without scroll bars; the list is still empty.
    m_listClientWidth = m_modelList->maximumViewportSize().width();
    const std::array<int, 4> widths = pantrel::ModelListColumnWidths(m_listClientWidth);
    for (int column = 0; column < pantrel::LIST_COLUMN_COUNT; ++column) {
        m_header->resizeSection(column, widths[static_cast<std::size_t>(column)]);
    }

    m_rows->SetKindImages(m_kindImages);
    m_header->SetImages(m_sortImages);

    RefreshList();
    EnableControls(true);
    m_modelList->setFocus(Qt::OtherFocusReason);
    return true;
}

void CPantrelDlg::ConnectItemChanges() {
    QItemSelectionModel* selection = m_modelList->selectionModel();
    const auto rowStateSet = [this](int row) {
        const QItemSelectionModel* model = m_modelList->selectionModel();
        return model->isRowSelected(row, {}) || model->currentIndex().row() == row;
    };
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            [this, rowStateSet](const QItemSelection& selected, const QItemSelection& deselected) {
                for (const QItemSelection* changed : {&deselected, &selected}) {
                    for (const QItemSelectionRange& range : *changed) {
                        for (int row = range.top(); row <= range.bottom(); ++row) {
                            OnItemChanged(rowStateSet(row));
                        }
                    }
                }
            });
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this, rowStateSet](const QModelIndex& current, const QModelIndex& previous) {
                for (const QModelIndex* changed : {&previous, &current}) {
                    if (changed->isValid()) {
                        OnItemChanged(rowStateSet(changed->row()));
                    }
                }
            });
}

int CPantrelDlg::GetCurrentItem() const {
    const QItemSelectionModel* selection = m_modelList->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (!current.isValid() || !selection->isRowSelected(current.row(), {})) {
        return -1;
    }
    return current.row();
}

std::string CPantrelDlg::GetItemModel(int row) const {
    return m_rows->Row(row).model;
}

std::string CPantrelDlg::GetItemProducer(int row) const {
    return m_rows->Row(row).producer;
}

DeviceKind CPantrelDlg::GetItemKind(int row) const {
    return m_rows->Row(row).kind;
}

void CPantrelDlg::RefreshList() {
    m_rememberedRow = GetCurrentItem();
    if (m_rememberedRow == -1) {
        m_rememberedRow = 0;
    }
    ClearList();
    FillKind(DeviceKind::CashRegister);
    FillKind(DeviceKind::FiscalPrinter);
    FillKind(DeviceKind::LabelScale);
    const int rows = m_rows->rowCount();
    if (rows == 0) {
        return;
    }
    if (m_rememberedRow >= rows) {
        m_rememberedRow = rows - 1;
    }
    SortList();
}

void CPantrelDlg::FillKind(DeviceKind kind) {
    pantrel::RegistryKey key;
    if (!pantrel::OpenModelKey(m_hive, kind, key)) {
        return;
    }
    std::vector<pantrel::ListRow> rows;
    std::string name;
    std::string data;
    for (std::uint32_t index = 0;; ++index) {
        const pantrel::Status status = pantrel::EnumModelEntry(key, index, name, data);
        if (status == pantrel::ERROR_MORE_DATA_STATUS) {
            // An entry too long to read (a specification path can be longer than the driver's
            // buffer) must not hide the entries after it.
            continue;
        }
        if (status != pantrel::ERROR_SUCCESS_STATUS) {
            break;
        }
        rows.push_back(pantrel::ListRow{kind, pantrel::ModelOfEntry(name),
                                        pantrel::ProducerOfEntry(name), data});
    }
    key.Close();
    m_rows->Append(std::move(rows));
}

void CPantrelDlg::ClearList() {
    if (m_rows != nullptr) {
        m_rows->Clear();
    }
}

void CPantrelDlg::SortList() {
    m_rows->SetOrder(pantrel::SortedRowOrder(m_rows->FilledRows(), m_rows->Order(), m_sortColumn,
                                             m_sortDescending));
    SetHeaderImage(m_sortColumn, m_sortDescending ? 1 : 0);
    const int current = GetCurrentItem();
    const int rows = m_rows->rowCount();
    if (current != m_rememberedRow) {
        if (current >= 0) {
            m_rememberedRow = current;
        }
        if (m_rememberedRow < rows) {
            m_modelList->selectionModel()->setCurrentIndex(
                m_rows->index(m_rememberedRow, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    }
    if (m_rememberedRow < rows) {
        m_modelList->scrollTo(m_rows->index(m_rememberedRow, 0), QAbstractItemView::EnsureVisible);
    }
}

void CPantrelDlg::SetHeaderImage(int column, int image) {
    m_header->SetSectionImage(column, image);
}

void CPantrelDlg::OnColumnClick(int column) {
    if (column == m_sortColumn) {
        m_sortDescending = !m_sortDescending;
    } else {
        SetHeaderImage(m_sortColumn, NO_SORT_IMAGE);
        m_sortDescending = false;
    }
    m_sortColumn = column;
    SortList();
}

void CPantrelDlg::EnableControls(bool enable) {
    if (!enable) {
        m_focusBeforeDisable = focusWidget();
    }
    m_addButton->setEnabled(enable);
    m_closeButton->setEnabled(enable);
    const bool rowControls = enable && GetCurrentItem() != -1;
    m_updateButton->setEnabled(rowControls);
    m_removeButton->setEnabled(rowControls);
    if (rowControls && m_focusBeforeDisable != nullptr) {
        m_focusBeforeDisable->setFocus(Qt::OtherFocusReason);
        m_focusBeforeDisable = nullptr;
    }
}

void CPantrelDlg::OnItemChanged(bool newStateSet) {
    const bool rowControls = newStateSet || GetCurrentItem() != -1;
    m_updateButton->setEnabled(rowControls);
    m_removeButton->setEnabled(rowControls);
}

bool CPantrelDlg::SelectSpecificationFile(std::string& path) {
    std::string chosen;
    if (!m_prompts.SelectSpecificationFile(*this, chosen) || chosen.empty()) {
        return false;
    }
    path = std::move(chosen);
    return true;
}

void CPantrelDlg::OnAddSpecification() {
    std::string path;
    if (!SelectSpecificationFile(path)) {
        return;
    }
    const pantrel::WaitCursor wait;
    EnableControls(false);
    int count = 0;
    pantrel::PromptMessageSink sink(m_prompts, *this);
    pantrel::InstallSpecification(m_hive, path, sink, &count);
    if (count > 0) {
        RefreshList();
    }
    EnableControls(true);
}

void CPantrelDlg::OnRemoveModel() {
    const int row = GetCurrentItem();
    if (row == -1) {
        m_prompts.ShowInformation(
            *this, std::string{pantrel::LoadResourceString(pantrel::IDS_NO_DRIVER_CHOSEN)});
        return;
    }
    const std::string question = FormatWithModel(
        pantrel::LoadResourceString(pantrel::IDS_CONFIRM_REMOVAL), GetItemModel(row));
    if (!m_prompts.AskYesNo(*this, question)) {
        return;
    }
    const pantrel::WaitCursor wait;
    EnableControls(false);
    const std::string producer = GetItemProducer(row);
    const std::string model = GetItemModel(row);
    const DeviceKind kind = GetItemKind(row);
    if (pantrel::RemoveModel(m_hive, kind, model, producer)) {
        RefreshList();
    }
    EnableControls(true);
}

void CPantrelDlg::OnRefreshList() {
    const pantrel::WaitCursor wait;
    RefreshList();
}

void CPantrelDlg::OnUpdateCurrent() {
    if (GetCurrentItem() == -1) {
        m_prompts.ShowInformation(
            *this, std::string{pantrel::LoadResourceString(pantrel::IDS_NO_DRIVER_CHOSEN)});
        return;
    }
    RefreshList();
    EnableControls(true);
}

void CPantrelDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CPantrelDlg::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    ShowContextMenu(event->reason() == QContextMenuEvent::Keyboard ? QPoint(-1, -1)
                                                                   : event->globalPos());
}

void CPantrelDlg::ShowContextMenu(QPoint requestPosition) {
    if (GetCurrentItem() == -1) {
        return;
    }
    const QRect window = frameGeometry();
    const QPoint at = window.contains(requestPosition) ? requestPosition : window.topLeft();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("modelMenu"));
    const QAction* remove = menu.addAction(pantrel::Utf8("&Usuń\tDelete"));
    if (menu.exec(at) == remove) {
        OnRemoveModel();
    }
}
