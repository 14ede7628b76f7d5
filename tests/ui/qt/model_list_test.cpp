// The model list of the main window: what it shows, its order, and which row is current.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>
#include <string>
#include <vector>

#include "kinds/device_kind.h"
#include "ui/column_widths.h"
#include "ui/list_row.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/image_strip.h"
#include "ui/qt/pantrel_dlg.h"
#include "ui/qt/sort_header_view.h"
#include "ui_test_support.h"

namespace pantrel::testing {
namespace {

using Models = std::vector<std::string>;

class ModelListTest : public ::testing::Test {
protected:
    QTreeView& List(const CPantrelDlg& window) { return Child<QTreeView>(window, "modelList"); }
    qt::SortHeaderView& Header(const CPantrelDlg& window) {
        return Child<qt::SortHeaderView>(window, "modelListHeader");
    }
    void ClickHeader(CPantrelDlg& window, int column) {
        QHeaderView* header = List(window).header();
        const QPoint centre(
            header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    }
    void ClickRow(CPantrelDlg& window, int row, Qt::KeyboardModifiers modifiers = {}) {
        QTreeView& list = List(window);
        const QRect cell = list.visualRect(list.model()->index(row, MODEL_COLUMN));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    std::vector<int> HeaderImages(const CPantrelDlg& window) {
        std::vector<int> images;
        images.reserve(LIST_COLUMN_COUNT);
        for (int column = 0; column < LIST_COLUMN_COUNT; ++column) {
            images.push_back(Header(window).SectionImage(column));
        }
        return images;
    }

    TempStore store;
    ScriptedPrompts prompts;
};

TEST_F(ModelListTest, OpensSortedByModelWithTheFirstRowCurrent) {
    store.Install("sort_models.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);

    // Byte order: capital Z before small a, Polish Ł after both.
    EXPECT_EQ(ListedModels(window), (Models{"Zeta", "alfa", "Łania"}));
    EXPECT_EQ(HeaderImages(window), (std::vector<int>{-1, 0, -1, -1}));
    EXPECT_EQ(window.GetCurrentItem(), 0);
    EXPECT_TRUE(Child<QPushButton>(window, "removeButton").isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), &List(window));
    EXPECT_EQ(CellText(window, 0, PRODUCER_COLUMN), "Kasprex");
    EXPECT_EQ(RowKind(window, 0), DeviceKind::CashRegister);
}

TEST_F(ModelListTest, EmptyRegistryShowsNothingUntilAHeaderIsClicked) {
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);

    EXPECT_TRUE(ListedModels(window).empty());
    EXPECT_EQ(HeaderImages(window), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(window.GetCurrentItem(), -1);
    EXPECT_FALSE(Child<QPushButton>(window, "removeButton").isEnabled());
    EXPECT_TRUE(Child<QPushButton>(window, "addButton").isEnabled());

    ClickHeader(window, PRODUCER_COLUMN);
    EXPECT_EQ(HeaderImages(window), (std::vector<int>{-1, NO_SORT_IMAGE, 0, -1}));
    EXPECT_EQ(window.GetCurrentItem(), -1);
}

TEST_F(ModelListTest, ClickingTheSortedColumnReversesTheOrder) {
    store.Install("sort_models.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);

    ClickHeader(window, MODEL_COLUMN);
    EXPECT_EQ(ListedModels(window), (Models{"Łania", "alfa", "Zeta"}));
    EXPECT_EQ(Header(window).SectionImage(MODEL_COLUMN), 1);

    ClickHeader(window, MODEL_COLUMN);
    EXPECT_EQ(ListedModels(window), (Models{"Zeta", "alfa", "Łania"}));
    EXPECT_EQ(Header(window).SectionImage(MODEL_COLUMN), 0);
}

TEST_F(ModelListTest, AnotherColumnSortsAscendingAndTakesTheIndicator) {
    store.Install("three_kinds.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    EXPECT_EQ(ListedModels(window), (Models{"Alfa W", "Bravo K", "Charlie D"}));

    ClickHeader(window, MODEL_COLUMN);  // descending first, to see the new column reset it
    ClickHeader(window, PRODUCER_COLUMN);
    EXPECT_EQ(ListedModels(window), (Models{"Charlie D", "Alfa W", "Bravo K"}));
    EXPECT_EQ(HeaderImages(window), (std::vector<int>{-1, NO_SORT_IMAGE, 0, -1}));

    ClickHeader(window, KIND_COLUMN);  // cash register, fiscal printer, label scale
    EXPECT_EQ(ListedModels(window), (Models{"Bravo K", "Charlie D", "Alfa W"}));
    EXPECT_EQ(HeaderImages(window), (std::vector<int>{0, NO_SORT_IMAGE, NO_SORT_IMAGE, -1}));
    ClickHeader(window, KIND_COLUMN);
    EXPECT_EQ(ListedModels(window), (Models{"Alfa W", "Charlie D", "Bravo K"}));
    EXPECT_EQ(Header(window).SectionImage(KIND_COLUMN), 1);
}

TEST_F(ModelListTest, TheCurrentRowStaysCurrentAndVisibleThroughASort) {
    for (int i = 0; i < 200; ++i) {
        std::string entry = "M";
        entry.append(std::to_string(1000 + i)).append("|P");
        store.WriteEntry(DeviceKind::FiscalPrinter, entry, "/a");
    }
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    QTreeView& list = List(window);
    list.setCurrentIndex(list.model()->index(150, MODEL_COLUMN));
    ASSERT_EQ(CellText(window, window.GetCurrentItem(), MODEL_COLUMN), "M1150");

    ClickHeader(window, MODEL_COLUMN);  // descending: M1150 moves to row 49
    ASSERT_EQ(window.GetCurrentItem(), 49);
    EXPECT_EQ(CellText(window, 49, MODEL_COLUMN), "M1150");
    const QRect shown = list.visualRect(list.model()->index(49, MODEL_COLUMN));
    EXPECT_TRUE(list.viewport()->rect().contains(shown)) << shown.y();
}

TEST_F(ModelListTest, WithoutACurrentRowASortSelectsTheRememberedPosition) {
    store.Install("three_kinds.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    ClickRow(window, 2);
    QTest::keyClick(&List(window), Qt::Key_F5);  // remembers position 2
    ClickRow(window, 2, Qt::ControlModifier);    // deselects it
    ASSERT_EQ(window.GetCurrentItem(), -1);

    ClickHeader(window, PRODUCER_COLUMN);
    EXPECT_EQ(window.GetCurrentItem(), 2);
    EXPECT_EQ(CellText(window, 2, MODEL_COLUMN), "Bravo K");
}

TEST_F(ModelListTest, ARereadKeepsThePositionNotTheModel) {
    store.Install("three_kinds.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    ClickRow(window, 1);
    ASSERT_EQ(CellText(window, 1, MODEL_COLUMN), "Bravo K");

    store.WriteEntry(DeviceKind::LabelScale, "Aaa|Bravo", "/w.xml");
    QTest::keyClick(&List(window), Qt::Key_F5);
    EXPECT_EQ(ListedModels(window), (Models{"Aaa", "Alfa W", "Bravo K", "Charlie D"}));
    EXPECT_EQ(window.GetCurrentItem(), 1);
}

TEST_F(ModelListTest, ARereadOfAShorterListMakesTheNewLastRowCurrent) {
    store.Install("three_kinds.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    ClickRow(window, 2);

    store.DeleteEntry(DeviceKind::FiscalPrinter, "Charlie D|Alfa");
    store.DeleteEntry(DeviceKind::CashRegister, "Bravo K|Charlie");
    QTest::keyClick(&List(window), Qt::Key_F5);
    EXPECT_EQ(ListedModels(window), (Models{"Alfa W"}));
    EXPECT_EQ(window.GetCurrentItem(), 0);

    // The position pulled back to the last row is the one a sort without a current row selects.
    ClickRow(window, 0, Qt::ControlModifier);
    ASSERT_EQ(window.GetCurrentItem(), -1);
    ClickHeader(window, PRODUCER_COLUMN);
    EXPECT_EQ(window.GetCurrentItem(), 0);
}

TEST_F(ModelListTest, EntryNamesSplitAtTheFirstBar) {
    store.WriteEntry(DeviceKind::CashRegister, "ABC|X|Y", "/a.xml");
    store.WriteEntry(DeviceKind::CashRegister, "NoBar", "/b.xml");
    CPantrelDlg window(store.Access(), prompts);

    ASSERT_EQ(ListedModels(window), (Models{"ABC", "NoBar"}));
    EXPECT_EQ(CellText(window, 0, PRODUCER_COLUMN), "X|Y");
    EXPECT_EQ(CellText(window, 1, PRODUCER_COLUMN), "");
    const QAbstractItemModel& rows = *List(window).model();
    EXPECT_EQ(rows.index(1, PATH_COLUMN).data().toString(), QStringLiteral("/b.xml"));
}

TEST_F(ModelListTest, NamesAndPathsAreShownAsWrittenAlsoInTheToolTip) {
    const std::string path = "/spec/<b>A & B</b>.xml";
    store.WriteEntry(DeviceKind::CashRegister, "<i>M</i> & Co|<u>P</u>", path);
    CPantrelDlg window(store.Access(), prompts);

    const QAbstractItemModel& rows = *List(window).model();
    EXPECT_EQ(rows.index(0, MODEL_COLUMN).data().toString(), QStringLiteral("<i>M</i> & Co"));
    EXPECT_EQ(rows.index(0, PRODUCER_COLUMN).data().toString(), QStringLiteral("<u>P</u>"));
    EXPECT_EQ(rows.index(0, PATH_COLUMN).data().toString(), QString::fromStdString(path));
    QTextDocument toolTip;
    toolTip.setHtml(rows.index(0, PATH_COLUMN).data(Qt::ToolTipRole).toString());
    EXPECT_EQ(toolTip.toPlainText(), QString::fromStdString(path));
}

TEST_F(ModelListTest, AnOverLongEntryHidesNoEntryAfterIt) {
    store.WriteEntry(DeviceKind::CashRegister, "Before|P", "/short.xml");
    store.WriteEntry(DeviceKind::CashRegister, "Long|P", "/" + std::string(600, 'd') + ".xml");
    store.WriteEntry(DeviceKind::CashRegister, std::string(300, 'n') + "|P", "/short.xml");
    store.WriteEntry(DeviceKind::CashRegister, "After|P", "/short.xml");
    store.WriteEntry(DeviceKind::LabelScale, "Scale|P", "/short.xml");
    CPantrelDlg window(store.Access(), prompts);

    EXPECT_EQ(ListedModels(window), (Models{"After", "Before", "Scale"}));
}

TEST_F(ModelListTest, EachRowShowsThePictureOfItsKind) {
    store.Install("three_kinds.xml");
    CPantrelDlg window(store.Access(), prompts);
    const std::vector<QPixmap> pictures = qt::LoadKindImages();
    ASSERT_EQ(pictures.size(), 5U);
    const QAbstractItemModel& rows = *List(window).model();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QModelIndex kindCell = rows.index(row, KIND_COLUMN);
        EXPECT_TRUE(kindCell.data(Qt::DisplayRole).toString().isEmpty());
        const QPixmap shown = kindCell.data(Qt::DecorationRole).value<QPixmap>();
        const int cell = KindImageIndex(RowKind(window, row));
        EXPECT_GE(cell, 1);
        EXPECT_LE(cell, 3);
        EXPECT_EQ(shown.toImage(), pictures[static_cast<std::size_t>(cell)].toImage()) << row;
    }
    // The blank cell is transparent all over, the others are not.
    const QImage blank = pictures[0].toImage();
    EXPECT_EQ(blank.size(), QSize(qt::STRIP_CELL_SIZE, qt::STRIP_CELL_SIZE));
    for (int y = 0; y < blank.height(); ++y) {
        for (int x = 0; x < blank.width(); ++x) {
            ASSERT_EQ(qAlpha(blank.pixel(x, y)), 0);
        }
    }
    EXPECT_NE(pictures[4].toImage(), blank);
}

TEST_F(ModelListTest, ColumnWidthsFollowTheListsClientWidth) {
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    QTreeView& list = List(window);
    const std::array<int, 4> widths = ModelListColumnWidths(list.viewport()->width());
    for (int column = 0; column < LIST_COLUMN_COUNT; ++column) {
        EXPECT_EQ(list.header()->sectionSize(column), widths[static_cast<std::size_t>(column)]);
    }
    EXPECT_EQ(list.model()->headerData(MODEL_COLUMN, Qt::Horizontal).toString(),
              QString::fromUtf8("Model urządzenia"));
    EXPECT_EQ(list.model()->headerData(PRODUCER_COLUMN, Qt::Horizontal).toString(),
              QString::fromUtf8("Producent sterownika"));
    EXPECT_EQ(list.model()->headerData(PATH_COLUMN, Qt::Horizontal).toString(),
              QString::fromUtf8("Specyfikacja"));
    EXPECT_TRUE(list.model()->headerData(KIND_COLUMN, Qt::Horizontal).toString().isEmpty());
}

TEST_F(ModelListTest, TheWindowKeepsTheTemplatesLayoutAndCannotBeResized) {
    CPantrelDlg window(store.Access(), prompts);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.windowTitle(),
              QString::fromUtf8("Sterowniki uniwersalne firmy Tarvex - program serwisowy"));
    EXPECT_EQ(Child<QLabel>(window, "caption").text(),
              QString::fromUtf8("Modele urządzeń zewnętrznych:"));

    const QRect list = List(window).geometry();
    const QRect add = Child<QPushButton>(window, "addButton").geometry();
    const QRect remove = Child<QPushButton>(window, "removeButton").geometry();
    const QRect close = Child<QPushButton>(window, "closeButton").geometry();
    EXPECT_EQ(add.left(), list.left());
    EXPECT_EQ(close.right(), list.right());
    EXPECT_GT(add.top(), list.bottom());
    EXPECT_EQ(remove.top(), add.top());
    EXPECT_GT(remove.left(), add.right());
    EXPECT_EQ(add.size(), remove.size());
    EXPECT_EQ(Child<QPushButton>(window, "addButton").text(), QStringLiteral("&Dodaj"));
    EXPECT_EQ(Child<QPushButton>(window, "removeButton").text(), QString::fromUtf8("&Usuń"));
    EXPECT_EQ(Child<QPushButton>(window, "closeButton").text(), QStringLiteral("Zamknij"));
    EXPECT_TRUE(Child<QPushButton>(window, "closeButton").isDefault());

    const QPushButton& update = Child<QPushButton>(window, "updateButton");
    EXPECT_EQ(update.text(), QStringLiteral("U&aktualnij"));
    EXPECT_TRUE(update.isHidden());
    EXPECT_FALSE(update.isEnabled());
}

TEST_F(ModelListTest, TabGoesThroughTheControlsInTemplateOrder) {
    store.Install("three_kinds.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    std::vector<QString> visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(visited, (std::vector<QString>{"modelList", "addButton", "removeButton",
                                             "closeButton", "aboutButton"}));
}

}  // namespace
}  // namespace pantrel::testing
