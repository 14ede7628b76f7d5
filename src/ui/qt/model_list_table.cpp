#include "ui/qt/model_list_table.h"

#include <cstddef>
#include <utility>

#include "kinds/device_kind.h"
#include "ui/qt/ui_text.h"

namespace pantrel::qt {

ModelListTable::ModelListTable(QObject* parent) : QAbstractTableModel(parent) {}

int ModelListTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.Count());
}

int ModelListTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : LIST_COLUMN_COUNT;
}

QVariant ModelListTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const ListRow& row = Row(index.row());
    switch (index.column()) {
        case KIND_COLUMN:
            if (role == Qt::DecorationRole) {
                const auto cell = static_cast<std::size_t>(KindImageIndex(row.kind));
                return cell < kindImages_.size() ? QVariant(kindImages_[cell]) : QVariant();
            }
            if (role == KindRole) {
                return static_cast<int>(KindCode(row.kind));
            }
            return {};
        case MODEL_COLUMN:
            return role == Qt::DisplayRole ? QVariant(Utf8(row.model)) : QVariant();
        case PRODUCER_COLUMN:
            return role == Qt::DisplayRole ? QVariant(Utf8(row.producer)) : QVariant();
        case PATH_COLUMN:
            if (role == Qt::DisplayRole) {
                return Utf8(row.path);
            }
            if (role == Qt::ToolTipRole) {
                // A tool tip that looks like markup is shown as markup; this one is markup that
                // shows the path as written, "<" and "&" included, on one line.
                return QStringLiteral("<p style='white-space:pre'>%1</p>")
                    .arg(Utf8(row.path).toHtmlEscaped());
            }
            return {};
        default:
            return {};
    }
}

QVariant ModelListTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case KIND_COLUMN:
            return QString();
        case MODEL_COLUMN:
            return Utf8("Model urządzenia");
        case PRODUCER_COLUMN:
            return Utf8("Producent sterownika");
        case PATH_COLUMN:
            return Utf8("Specyfikacja");
        default:
            return {};
    }
}

Qt::ItemFlags ModelListTable::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

void ModelListTable::SetKindImages(std::vector<QPixmap> images) {
    kindImages_ = std::move(images);
    if (rows_.Count() > 0) {
        Q_EMIT dataChanged(index(0, KIND_COLUMN), index(rowCount() - 1, KIND_COLUMN),
                           {Qt::DecorationRole});
    }
}

void ModelListTable::Clear() {
    beginResetModel();
    rows_.Clear();
    endResetModel();
}

void ModelListTable::Append(std::vector<ListRow> rows) {
    if (rows.empty()) {
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.Append(std::move(rows));
    endInsertRows();
}

void ModelListTable::SetOrder(std::vector<int> order) {
    if (order.size() != rows_.Count()) {
        return;
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    const std::vector<int> moved = rows_.SetOrder(std::move(order));
    if (!moved.empty()) {
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& index : before) {
            after.push_back(
                this->index(moved[static_cast<std::size_t>(index.row())], index.column()));
        }
        changePersistentIndexList(before, after);
    }
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace pantrel::qt
