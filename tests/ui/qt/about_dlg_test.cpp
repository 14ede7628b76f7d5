// The About box and the window's chrome.
#include "ui/qt/about_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "pantrel_version.h"
#include "ui/qt/pantrel_dlg.h"
#include "ui_test_support.h"

namespace pantrel::testing {
namespace {

struct AboutSeen {
    QString title;
    QString heading;
    QString versionCaption;
    QString version;
    bool closed = false;
};

// Opens the About box with `trigger`, reads it and closes it with `closeKey` (0: the OK button).
AboutSeen OpenAbout(const std::function<void()>& trigger, int closeKey) {
    AboutSeen seen;
    const bool opened = CatchModalWindow(trigger, [&seen, closeKey](QWidget& box) {
        seen.title = box.windowTitle();
        seen.heading = Child<QLabel>(box, "title").text();
        seen.versionCaption = Child<QLabel>(box, "versionCaption").text();
        seen.version = Child<QLabel>(box, "version").text();
        if (closeKey == 0) {
            QTest::mouseClick(&Child<QPushButton>(box, "okButton"), Qt::LeftButton);
        } else {
            QTest::keyClick(&box, static_cast<Qt::Key>(closeKey));
        }
        seen.closed = !box.isVisible();
    });
    EXPECT_TRUE(opened);
    return seen;
}

class AboutTest : public ::testing::Test {
protected:
    TempStore store;
    ScriptedPrompts prompts;
};

TEST_F(AboutTest, TheEntryOpensTheBoxWithTheVersionAndEveryKeyClosesIt) {
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    QPushButton& entry = Child<QPushButton>(window, "aboutButton");
    EXPECT_EQ(entry.text(), QStringLiteral("O &programie"));

    for (const int closeKey :
         {0, static_cast<int>(Qt::Key_Return), static_cast<int>(Qt::Key_Escape)}) {
        const AboutSeen seen =
            OpenAbout([&] { QTest::mouseClick(&entry, Qt::LeftButton); }, closeKey);
        EXPECT_EQ(seen.title, QStringLiteral("Informacje o programie"));
        EXPECT_EQ(seen.heading, QString::fromUtf8("Program serwisowy sterowników uniwersalnych"));
        EXPECT_EQ(seen.versionCaption, QStringLiteral("Wersja:"));
        EXPECT_EQ(seen.version, QStringLiteral(PANTREL_VERSION_TEXT));
        EXPECT_TRUE(seen.closed) << closeKey;
        EXPECT_TRUE(window.isVisible());
    }
}

TEST_F(AboutTest, AltPOpensTheBoxFromAnywhereInTheWindow) {
    store.Install("three_kinds.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    const AboutSeen seen =
        OpenAbout([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier); },
                  Qt::Key_Escape);
    EXPECT_EQ(seen.version, QStringLiteral(PANTREL_VERSION_TEXT));
}

TEST_F(AboutTest, F1DoesNothing) {
    store.Install("three_kinds.xml");
    CPantrelDlg window(store.Access(), prompts);
    ShowAndActivate(window);
    const auto visibleWindows = [] {
        int count = 0;
        for (const QWidget* widget : QApplication::topLevelWidgets()) {
            count += widget->isVisible() ? 1 : 0;
        }
        return count;
    };
    const int before = visibleWindows();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ShiftModifier);
    QTest::qWait(20);
    EXPECT_EQ(visibleWindows(), before);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(prompts.informations.empty());
}

TEST_F(AboutTest, TheWindowCarriesTheIconInEverySize) {
    CPantrelDlg window(store.Access(), prompts);
    const QIcon icon = window.windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 48, 256}) {
        EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << size;
    }
}

}  // namespace
}  // namespace pantrel::testing
