// Polish sizes and dates in Qt's file dialog.
#pragma once

#include <QIdentityProxyModel>
#include <QLocale>

namespace pantrel::qt {

// Qt's file dialog shows sizes and dates in the desktop's formats (its file model asks the
// system locale, whatever the application sets). Put between the dialog and its file model,
// this shows them in the given locale's: "492 bajty", "8.12.2026 14:05". Everything else,
// sorting included, is the file model's.
class PolishFileModel final : public QIdentityProxyModel {
    Q_OBJECT

public:
    // The file dialog's columns that carry formats.
    static constexpr int SIZE_COLUMN = 1;
    static constexpr int DATE_COLUMN = 3;

    PolishFileModel(const QLocale& locale, QObject* parent);

    QVariant data(const QModelIndex& index, int role) const override;

private:
    QLocale locale_;
};

}  // namespace pantrel::qt
