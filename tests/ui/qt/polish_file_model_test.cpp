// The file dialog shows sizes and dates in Polish formats on a desktop in another language.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeView>

#include "ui/qt/main_window_runner.h"
#include "ui/qt/qt_user_prompts.h"
#include "ui_test_support.h"

namespace pantrel::testing {
namespace {

// The texts of the dialog's row for a file, once its file model has read the folder.
QStringList RowTexts(QFileDialog& dialog, const QString& fileName) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (view == nullptr || view->model() == nullptr) {
        return {};
    }
    QStringList texts;
    (void)QTest::qWaitFor(
        [&] {
            const QAbstractItemModel* model = view->model();
            const QModelIndex root = view->rootIndex();
            for (int row = 0; row < model->rowCount(root); ++row) {
                if (model->index(row, 0, root).data().toString() == fileName) {
                    texts.clear();
                    for (int column = 0; column < model->columnCount(root); ++column) {
                        texts.push_back(model->index(row, column, root).data().toString());
                    }
                    return !texts[1].isEmpty();
                }
            }
            return false;
        },
        2000);
    return texts;
}

TEST(PolishFileModelTest, SizesAndDatesInPolishWhateverTheDesktopsLanguage) {
    // The test environment gives the desktop an English locale.
    ASSERT_NE(QLocale::system().language(), QLocale::Polish);
    QTranslator polish;
    ASSERT_TRUE(qt::LoadQtPolishTranslation(polish));
    QApplication::installTranslator(&polish);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("kasa.xml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(QByteArray(492, 'x')), 492);
    ASSERT_TRUE(file.flush());  // so that closing writes nothing after the time is set
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 12, 8), QTime(14, 5)),
                                 QFileDevice::FileModificationTime));
    file.close();

    QWidget owner;
    qt::QtUserPrompts prompts{&owner};
    std::string path;
    QStringList texts;
    EXPECT_TRUE(CatchModalWindow([&] { prompts.SelectSpecificationFile(path); },
                                 [&](QWidget& modal) {
                                     auto* dialog = qobject_cast<QFileDialog*>(&modal);
                                     ASSERT_NE(dialog, nullptr);
                                     dialog->setDirectory(folder.path());
                                     texts = RowTexts(*dialog, QStringLiteral("kasa.xml"));
                                     dialog->reject();
                                 }));
    QApplication::removeTranslator(&polish);
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[1], QStringLiteral("492 bajty"));
    EXPECT_EQ(texts[3], QStringLiteral("8.12.2026 14:05"));
}

}  // namespace
}  // namespace pantrel::testing
