// The Qt item model behind the model list.
#pragma once

#include <QAbstractTableModel>
#include <QPixmap>
#include <vector>

#include "ui/list_row.h"
#include "ui/list_rows.h"

namespace pantrel::qt {

// The rows of the model list behind its view. Texts are converted only for the rows on screen,
// so filling and sorting cost the same whatever the window shows.
class ModelListTable final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The row's device kind code, as the item data of column 0.
    static constexpr int KindRole = Qt::UserRole;

    explicit ModelListTable(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Pictures shown in the kind column, indexed by KindImageIndex.
    void SetKindImages(std::vector<QPixmap> images);

    // The rows, in the order they were appended and in the order on screen.
    const ListRows& Rows() const { return rows_; }
    // The row at a position on screen.
    const ListRow& Row(int row) const { return rows_.Row(row); }

    // Deletes every row.
    void Clear();

    // Appends rows after the last one.
    void Append(std::vector<ListRow> rows);

    // Puts the rows in a new order: position i shows Rows().Filled()[order[i]]. Only positions
    // move, never the rows themselves; the view's selection and current row go with their rows.
    void SetOrder(std::vector<int> order);

private:
    ListRows rows_;
    std::vector<QPixmap> kindImages_;
};

}  // namespace pantrel::qt
