// The Qt face of the window's prompts: captions, icons, Polish buttons and the file dialog.
#include "ui/qt/qt_user_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "ui/qt/about_dlg.h"
#include "ui/qt/main_window_runner.h"
#include "ui/window_commands.h"
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

// Answers the message boxes that `ask` opens one after the other, each with the next answer, and
// reports what they showed.
std::vector<BoxSeen> AnswerInTurn(const std::function<void()>& ask,
                                  const std::vector<std::function<void(QMessageBox&)>>& answers) {
    std::vector<BoxSeen> seen;
    QPointer<QWidget> answered;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box != answered && seen.size() < answers.size()) {
            answered = box;
            seen.push_back(Read(*box));
            answers[seen.size() - 1](*box);
        }
    });
    poll.start();
    ask();
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
    qt::QtUserPrompts prompts{&owner};
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

TEST_F(QtUserPromptsTest, TheRemovalQuestionShowsTheModelNameAsWritten) {
    TempStore store;
    store.WriteEntry(DeviceKind::CashRegister, "A & Co <b>x</b>|P", "/a.xml");
    qt::QtUserPrompts windowPrompts;
    CPantrelDlg window(store.Access(), windowPrompts);
    windowPrompts.SetOwner(&window);
    ShowAndActivate(window);

    QString shown;
    Qt::TextFormat format = Qt::RichText;
    EXPECT_TRUE(CatchModalWindow([&] { Child<QPushButton>(window, "removeButton").click(); },
                                 [&](QWidget& modal) {
                                     const auto* label = modal.findChild<QLabel*>(
                                         QStringLiteral("qt_msgbox_label"));
                                     ASSERT_NE(label, nullptr);
                                     shown = label->text();
                                     format = label->textFormat();
                                     QTest::keyClick(&modal, Qt::Key_Escape);
                                 }));
    EXPECT_EQ(shown, QString::fromStdString(RemovalQuestion("A & Co <b>x</b>")));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(store.EntryNames(DeviceKind::CashRegister),
              std::vector<std::string>{"A & Co <b>x</b>|P"});

    // The windows' own texts are taken literally too.
    const CAboutDlg about(&window);
    for (const QWidget* dialog :
         {static_cast<const QWidget*>(&window), static_cast<const QWidget*>(&about)}) {
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
            }
        }
    }
}

TEST_F(QtUserPromptsTest, AStoreThatCannotBeWrittenIsToldInOneStopBox) {
    TempStore store;
    store.WriteEntry(DeviceKind::CashRegister, "Bravo K|Charlie", "/k.xml");
    std::filesystem::permissions(store.File(), std::filesystem::perms::owner_read);
    qt::QtUserPrompts windowPrompts;
    CPantrelDlg window(store.Access(), windowPrompts);
    windowPrompts.SetOwner(&window);
    ShowAndActivate(window);

    const auto yes = [](QMessageBox& box) {
        QTest::mouseClick(ButtonWithText(box, QStringLiteral("&Tak")), Qt::LeftButton);
    };
    const auto ok = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); };
    const std::vector<BoxSeen> seen =
        AnswerInTurn([&] { Child<QPushButton>(window, "removeButton").click(); }, {yes, ok});
    ASSERT_EQ(seen.size(), 2U);
    EXPECT_EQ(seen[1].title, QStringLiteral("Program serwisowy"));
    EXPECT_EQ(seen[1].icon, QMessageBox::Critical);
    EXPECT_EQ(seen[1].text,
              QString::fromStdString("Nie można usunąć modelu z rejestru '" +
                                     store.File().string() + "': brak prawa zapisu."));
    EXPECT_EQ(ListedModels(window), std::vector<std::string>{"Bravo K"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(QtUserPromptsTest, TheFileDialogAsksForOneExistingSpecificationInPolish) {
    QTranslator polish;
    ASSERT_TRUE(qt::LoadQtPolishTranslation(polish));
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
