#include "ui/qt/about_dlg.h"

#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "ui/qt/dialog_units.h"
#include "ui/qt/image_strip.h"
#include "ui/qt/ui_text.h"

namespace qt = pantrel::qt;

namespace {

QLabel* MakeText(QWidget* parent, const char* objectName, const QString& text,
                 const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(qt::Utf8("Informacje o programie"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const qt::DialogBaseUnits units = qt::MeasureDialogBaseUnits(font());
    setFixedSize(qt::DialogRect(units, 0, 0, 235, 60).size());

    const QIcon icon = qt::LoadWindowIcon();
    setWindowIcon(icon);
    const QRect iconRect = qt::DialogRect(units, 11, 11, 20, 20);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("icon"));
    picture->setGeometry(iconRect.topLeft().x(), iconRect.topLeft().y(), 32, 32);
    picture->setPixmap(icon.pixmap(32, 32));

    MakeText(this, "title", qt::Utf8("Program serwisowy sterowników uniwersalnych"),
             qt::DialogRect(units, 40, 8, 188, 8));
    MakeText(this, "versionCaption", qt::Utf8("Wersja:"), qt::DialogRect(units, 40, 20, 25, 8));
    m_version =
        MakeText(this, "version", QStringLiteral("..."), qt::DialogRect(units, 70, 20, 89, 8));
    MakeText(this, "owner", qt::Utf8("Copyright © Tarvex"), qt::DialogRect(units, 40, 32, 119, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(qt::DialogRect(units, 178, 39, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // No help: F1 is taken so that nothing else answers it.
    new QShortcut(QKeySequence(Qt::Key_F1), this);
    new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);

    DoDataExchange();
    ok->setFocus(Qt::OtherFocusReason);
}

void CAboutDlg::accept() {
    DoDataExchange();
    QDialog::accept();
}

void CAboutDlg::DoDataExchange() {
    m_version->setText(qt::Utf8(pantrel::VERSION_TEXT));
}
