#include "ui/qt/sort_header_view.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cstddef>

namespace pantrel::qt {

SortHeaderView::SortHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void SortHeaderView::SetImages(std::vector<QPixmap> images) {
    images_ = std::move(images);
    viewport()->update();
}

int SortHeaderView::SectionImage(int section) const {
    if (section < 0 || static_cast<std::size_t>(section) >= sectionImages_.size()) {
        return -1;
    }
    return sectionImages_[static_cast<std::size_t>(section)];
}

void SortHeaderView::SetSectionImage(int section, int image) {
    if (section < 0) {
        return;
    }
    const auto at = static_cast<std::size_t>(section);
    if (at >= sectionImages_.size()) {
        sectionImages_.resize(at + 1, -1);
    }
    sectionImages_[at] = image;
    updateSection(section);
}

void SortHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    const int image = SectionImage(logicalIndex);
    if (image < 0 || static_cast<std::size_t>(image) >= images_.size() || model() == nullptr) {
        return;
    }
    const QPixmap& picture = images_[static_cast<std::size_t>(image)];
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    const QString text = model()->headerData(logicalIndex, orientation()).toString();
    const int textWidth = text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(text) + margin;
    // Right of the text; in a column too narrow for both, the picture keeps to its right edge.
    const int left = std::max(
        rect.left() + margin,
        std::min(rect.left() + margin + textWidth, rect.right() - margin - picture.width() + 1));
    const int top = rect.top() + (rect.height() - picture.height()) / 2;
    painter->save();
    painter->setClipRect(rect);
    painter->drawPixmap(left, top, picture);
    painter->restore();
}

}  // namespace pantrel::qt
