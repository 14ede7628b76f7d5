#include "ui/qt_user_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "kinds/string_table.h"
#include "ui/ui_text.h"

namespace pantrel {
namespace {

// A prompt opened during a long operation must not show the wait cursor over its own buttons.
class ArrowCursor {
public:
    ArrowCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;
};

void ShowNotice(QWidget& owner, QMessageBox::Icon icon, const std::string& text) {
    const ArrowCursor arrow;
    QMessageBox box(icon, ResourceText(IDS_APP_TITLE), QString::fromStdString(text),
                    QMessageBox::NoButton, &owner);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

}  // namespace

bool QtUserPrompts::SelectSpecificationFile(QWidget& owner, std::string& path) {
    const ArrowCursor arrow;
    // Qt's own dialog, so that its texts come from the Polish translation on any desktop.
    QFileDialog dialog(&owner, Utf8("Wybierz specyfikację sterownika do zainstalowania"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(Utf8("Specyfikacja sterownika (*.xml)"));
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QStringList chosen = dialog.selectedFiles();
    path = chosen.isEmpty() ? std::string{} : chosen.front().toStdString();
    return !path.empty();
}

void QtUserPrompts::ShowInformation(QWidget& owner, const std::string& text) {
    ShowNotice(owner, QMessageBox::Information, text);
}

bool QtUserPrompts::AskYesNo(QWidget& owner, const std::string& text) {
    const ArrowCursor arrow;
    QMessageBox box(QMessageBox::Question, ResourceText(IDS_APP_TITLE),
                    QString::fromStdString(text), QMessageBox::NoButton, &owner);
    QPushButton* yes = box.addButton(QStringLiteral("&Tak"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nie"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtUserPrompts::ShowError(QWidget& owner, const std::string& text) {
    ShowNotice(owner, QMessageBox::Critical, text);
}

}  // namespace pantrel
