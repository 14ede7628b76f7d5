// The Qt face of the window's prompts: captions, icons, Polish buttons and the file dialog.
#include "ui/qt/qt_user_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include "ui/qt/main_window_runner.h"
#include "ui_test_support.h"

namespace pantrel::testing {
namespace {

struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

BoxSeen Read(QMessageBox& box) {
    BoxSeen seen{box.windowTitle(), box.text(), box.icon(), {}, {}};
    for (const QAbstractButton* button : box.buttons()) {
        seen.buttons.push_back(button->text());
    }
    seen.defaultButton = box.defaultButton() == nullptr ? QString() : box.defaultButton()->text();
    return seen;
}

// Answers the message box that `ask` opens with `answer` and reports what it showed.
template <typename Ask>
BoxSeen Answer(Ask ask, const std::function<void(QMessageBox&)>& answer) {
    BoxSeen seen;
    EXPECT_TRUE(CatchModalWindow(ask, [&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        seen = Read(*box);
        answer(*box);
    }));
    return seen;
}

QPushButton* ButtonWithText(QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == text) {
            return qobject_cast<QPushButton*>(button);
        }
    }
    return nullptr;
}

class QtUserPromptsTest : public ::testing::Test {
protected:
    QWidget owner;
    QtUserPrompts prompts{&owner};
};

TEST_F(QtUserPromptsTest, TheQuestionHasPolishButtonsWithNoTheDefault) {
    const auto escape = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); };
    const auto enter = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); };
    const auto yes = [](QMessageBox& box) {
        QTest::mouseClick(ButtonWithText(box, QStringLiteral("&Tak")), Qt::LeftButton);
    };
    bool answer = true;
    const BoxSeen seen = Answer([&] { answer = prompts.AskYesNo("Czy na pewno?"); }, escape);
    EXPECT_FALSE(answer);
    EXPECT_EQ(seen.title, QStringLiteral("Program serwisowy"));
    EXPECT_EQ(seen.text, QStringLiteral("Czy na pewno?"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("&Tak"), QStringLiteral("&Nie")}));
    EXPECT_EQ(seen.defaultButton, QStringLiteral("&Nie"));

    answer = true;
    Answer([&] { answer = prompts.AskYesNo("Czy na pewno?"); }, enter);
    EXPECT_FALSE(answer);
    Answer([&] { answer = prompts.AskYesNo("Czy na pewno?"); }, yes);
    EXPECT_TRUE(answer);
}

TEST_F(QtUserPromptsTest, NoticesHaveOneOkButtonAndTheirIcon) {
    const auto ok = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); };
    const BoxSeen information =
        Answer([&] { prompts.ShowInformation("Nie wybrano żadnego sterownika"); }, ok);
    EXPECT_EQ(information.icon, QMessageBox::Information);
    EXPECT_EQ(information.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(information.title, QStringLiteral("Program serwisowy"));
    EXPECT_EQ(information.text, QString::fromUtf8("Nie wybrano żadnego sterownika"));

    const BoxSeen error = Answer([&] { prompts.ShowError("Błąd w pliku"); }, ok);
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.buttons, QStringList{QStringLiteral("OK")});
}

TEST_F(QtUserPromptsTest, TheFileDialogAsksForOneExistingSpecificationInPolish) {
    QTranslator polish;
    ASSERT_TRUE(LoadQtPolishTranslation(polish));
    QApplication::installTranslator(&polish);

    std::string path = "unchanged";
    bool chosen = true;
    EXPECT_TRUE(CatchModalWindow(
        [&] { chosen = prompts.SelectSpecificationFile(path); },
        [](QWidget& modal) {
            auto* dialog = qobject_cast<QFileDialog*>(&modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Wybierz specyfikację sterownika "
                                                               "do zainstalowania"));
            EXPECT_EQ(dialog->nameFilters(),
                      QStringList{QStringLiteral("Specyfikacja sterownika (*.xml)")});
            EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("xml"));
            EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
            const auto* buttons = dialog->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
            dialog->reject();
        }));
    EXPECT_FALSE(chosen);
    EXPECT_EQ(path, "unchanged");

    // A name typed without its extension gets ".xml".
    EXPECT_TRUE(CatchModalWindow([&] { chosen = prompts.SelectSpecificationFile(path); },
                                 [](QWidget& modal) {
                                     auto* dialog = qobject_cast<QFileDialog*>(&modal);
                                     ASSERT_NE(dialog, nullptr);
                                     dialog->setDirectory(QString::fromStdString(UiDataFile("")));
                                     dialog->selectFile(QStringLiteral("sort_models"));
                                     QMetaObject::invokeMethod(dialog, "accept");
                                 }));
    QApplication::removeTranslator(&polish);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(std::filesystem::path(path), std::filesystem::path(UiDataFile("sort_models.xml")));
}

}  // namespace
}  // namespace pantrel::testing
