#include "ui/qt/pantrel_dlg.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <array>
#include <type_traits>
#include <utility>

#include "kinds/string_table.h"
#include "ui/column_widths.h"
#include "ui/qt/about_dlg.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/image_strip.h"
#include "ui/qt/model_list_table.h"
#include "ui/qt/sort_header_view.h"
#include "ui/qt/ui_text.h"

namespace qt = pantrel::qt;

namespace {

QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* text,
                        const QRect& geometry) {
    auto* button = new QPushButton(qt::Utf8(text), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setGeometry(geometry);
    return button;
}

}  // namespace

CPantrelDlg::CPantrelDlg(pantrel::StoreAccess store, pantrel::UserPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      m_commands(*this, prompts, std::move(store)),
      m_windowIcon(qt::LoadWindowIcon()) {
    setObjectName(QStringLiteral("CPantrelDlg"));
    setWindowTitle(qt::Utf8("Sterowniki uniwersalne firmy Tarvex - program serwisowy"));
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
    const qt::DialogBaseUnits units = qt::MeasureDialogBaseUnits(font());
    setFixedSize(qt::DialogRect(units, 0, 0, 320, 160).size());

    // Created in the order of the tab chain.
    m_caption = new QLabel(qt::Utf8("Modele urządzeń zewnętrznych:"), this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setGeometry(qt::DialogRect(units, 7, 7, 305, 8));

    m_modelList = new QTreeView(this);
    m_modelList->setObjectName(QStringLiteral("modelList"));
    m_modelList->setGeometry(qt::DialogRect(units, 7, 19, 305, 113));
    m_header = new qt::SortHeaderView(m_modelList);
    m_header->setObjectName(QStringLiteral("modelListHeader"));
    m_modelList->setHeader(m_header);
    m_rows = new qt::ModelListTable(this);
    m_modelList->setModel(m_rows);
    m_modelList->setRootIsDecorated(false);
    m_modelList->setItemsExpandable(false);
    m_modelList->setExpandsOnDoubleClick(false);
    m_modelList->setIndentation(0);
    m_modelList->setUniformRowHeights(true);
    m_modelList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_modelList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_modelList->setSortingEnabled(false);  // the order is set by SortList only
    m_modelList->setIconSize(QSize(qt::STRIP_CELL_SIZE, qt::STRIP_CELL_SIZE));
    m_modelList->setWordWrap(false);
    m_header->setSectionsClickable(true);
    m_header->setSectionsMovable(false);
    m_header->setStretchLastSection(false);
    m_header->setMinimumSectionSize(0);  // the kind column is narrower than Qt's default
    m_header->setHighlightSections(false);
    m_header->setSortIndicatorShown(false);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_header, &QHeaderView::sectionClicked, this, &CPantrelDlg::OnColumnClick);

    m_addButton = MakeButton(this, "addButton", "&Dodaj", qt::DialogRect(units, 7, 139, 50, 14));
    m_updateButton =
        MakeButton(this, "updateButton", "U&aktualnij", qt::DialogRect(units, 115, 139, 50, 14));
    m_updateButton->setVisible(false);
    m_updateButton->setEnabled(false);
    m_removeButton =
        MakeButton(this, "removeButton", "&Usuń", qt::DialogRect(units, 61, 139, 50, 14));
    m_closeButton =
        MakeButton(this, "closeButton", "Zamknij", qt::DialogRect(units, 263, 139, 49, 14));
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
    const QString text = qt::ResourceText(pantrel::IDS_ABOUT_ENTRY);
    if (!text.isEmpty()) {
        const qt::DialogBaseUnits units = qt::MeasureDialogBaseUnits(font());
        m_aboutButton = new QPushButton(text, this);
        m_aboutButton->setObjectName(QStringLiteral("aboutButton"));
        m_aboutButton->setGeometry(qt::DialogRect(units, 209, 139, 50, 14));
        connect(m_aboutButton, &QPushButton::clicked, this, &CPantrelDlg::OnAbout);
    }
    setWindowIcon(m_windowIcon);
}

bool CPantrelDlg::OnInitDialog() {
    AddAboutEntry();

    m_kindImages = qt::LoadKindImages();
    m_sortImages = qt::LoadSortImages();
    m_modelList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_modelList->setAllColumnsShowFocus(true);

    // The client width without scroll bars; the list is still empty.
    const std::array<int, 4> widths =
        pantrel::ModelListColumnWidths(m_modelList->maximumViewportSize().width());
    for (int column = 0; column < pantrel::LIST_COLUMN_COUNT; ++column) {
        m_header->resizeSection(column, widths[static_cast<std::size_t>(column)]);
    }

    m_rows->SetKindImages(m_kindImages);
    m_header->SetImages(m_sortImages);

    m_commands.InitList();
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
                            m_commands.OnItemChanged(rowStateSet(row));
                        }
                    }
                }
            });
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this, rowStateSet](const QModelIndex& current, const QModelIndex& previous) {
                for (const QModelIndex* changed : {&previous, &current}) {
                    if (changed->isValid()) {
                        m_commands.OnItemChanged(rowStateSet(changed->row()));
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

const pantrel::ListRows& CPantrelDlg::Rows() const {
    return m_rows->Rows();
}

void CPantrelDlg::ClearList() {
    if (m_rows != nullptr) {
        m_rows->Clear();
    }
}

void CPantrelDlg::AppendRows(std::vector<pantrel::ListRow> rows) {
    m_rows->Append(std::move(rows));
}

void CPantrelDlg::SetRowOrder(std::vector<int> order) {
    m_rows->SetOrder(std::move(order));
}

void CPantrelDlg::MakeCurrent(int row) {
    m_modelList->selectionModel()->setCurrentIndex(
        m_rows->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CPantrelDlg::EnsureVisible(int row) {
    m_modelList->scrollTo(m_rows->index(row, 0), QAbstractItemView::EnsureVisible);
}

void CPantrelDlg::SetHeaderImage(int column, int image) {
    m_header->SetSectionImage(column, image);
}

void CPantrelDlg::EnableGeneralCommands(bool enable) {
    m_addButton->setEnabled(enable);
    m_closeButton->setEnabled(enable);
}

void CPantrelDlg::EnableRowCommands(bool enable) {
    m_updateButton->setEnabled(enable);
    m_removeButton->setEnabled(enable);
}

void CPantrelDlg::RememberFocus() {
    m_focusBeforeDisable = focusWidget();
}

void CPantrelDlg::RestoreFocus() {
    if (m_focusBeforeDisable != nullptr) {
        m_focusBeforeDisable->setFocus(Qt::OtherFocusReason);
        m_focusBeforeDisable = nullptr;
    }
}

void CPantrelDlg::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CPantrelDlg::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

void CPantrelDlg::ShowStateNow() {
    // Exposure and paint only: a key or click that arrived meanwhile waits for the work's end.
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
    const QAction* remove = menu.addAction(qt::Utf8("&Usuń\tDelete"));
    if (menu.exec(at) == remove) {
        OnRemoveModel();
    }
}
