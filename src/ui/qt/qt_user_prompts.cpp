#include "ui/qt/qt_user_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "kinds/string_table.h"
#include "ui/qt/polish_file_model.h"
#include "ui/qt/ui_text.h"

namespace pantrel::qt {
namespace {

// A prompt opened during a long operation must not show the wait cursor over its own buttons.
class ArrowCursor {
public:
    ArrowCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;
};

// A message box whose text is taken literally: a model named "A & Co <b>x</b>" is shown with
// exactly those characters, never as markup.
void PrepareBox(QMessageBox& box, QMessageBox::Icon icon, const std::string& text) {
    box.setIcon(icon);
    box.setWindowTitle(ResourceText(IDS_APP_TITLE));
    box.setTextFormat(Qt::PlainText);
    box.setText(Utf8(text));
}

void ShowNotice(QWidget* owner, QMessageBox::Icon icon, const std::string& text) {
    const ArrowCursor arrow;
    QMessageBox box(owner);
    PrepareBox(box, icon, text);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

}  // namespace

bool QtUserPrompts::SelectSpecificationFile(std::string& path) {
    const ArrowCursor arrow;
    // Qt's own dialog, so that its texts come from the Polish translation on any desktop, with
    // sizes and dates in Polish formats too (Qt's file model would take the desktop's).
    QFileDialog dialog(owner_, Utf8("Wybierz specyfikację sterownika do zainstalowania"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    dialog.setLocale(polish);
    dialog.setProxyModel(new PolishFileModel(polish, &dialog));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(Utf8("Specyfikacja sterownika (*.xml)"));
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) {
        return false;
    }
    path = chosen.front().toStdString();
    return true;
}

void QtUserPrompts::ShowInformation(const std::string& text) {
    ShowNotice(owner_, QMessageBox::Information, text);
}

bool QtUserPrompts::AskYesNo(const std::string& text) {
    const ArrowCursor arrow;
    QMessageBox box(owner_);
    PrepareBox(box, QMessageBox::Question, text);
    QPushButton* yes = box.addButton(QStringLiteral("&Tak"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nie"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtUserPrompts::ShowError(const std::string& text) {
    ShowNotice(owner_, QMessageBox::Critical, text);
}

}  // namespace pantrel::qt
