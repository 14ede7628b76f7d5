#include "ui/qt/polish_file_model.h"

#include <QFileSystemModel>

namespace pantrel::qt {

PolishFileModel::PolishFileModel(const QLocale& locale, QObject* parent)
    : QIdentityProxyModel(parent), locale_(locale) {}

QVariant PolishFileModel::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr ||
        (index.column() != SIZE_COLUMN && index.column() != DATE_COLUMN)) {
        return QIdentityProxyModel::data(index, role);
    }
    const QModelIndex source = mapToSource(index);
    if (index.column() == DATE_COLUMN) {
        return locale_.toString(files->lastModified(source), QLocale::ShortFormat);
    }
    if (files->isDir(source)) {
        return QIdentityProxyModel::data(index, role);  // folders show no size
    }
    return locale_.formattedDataSize(files->size(source));
}

}  // namespace pantrel::qt
