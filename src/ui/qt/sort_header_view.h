// The model list's header with sort pictures.
#pragma once

#include <QHeaderView>
#include <QPixmap>
#include <vector>

namespace pantrel::qt {

// The model list's header: each column can show one of the sort pictures to the right of its
// text. A column keeps the picture index it was given; an index without a picture (the one past
// the last, which the list gives a column it no longer sorts by) draws nothing.
class SortHeaderView final : public QHeaderView {
    Q_OBJECT

public:
    explicit SortHeaderView(QWidget* parent = nullptr);

    void SetImages(std::vector<QPixmap> images);

    // -1 until the column was given a picture.
    int SectionImage(int section) const;
    void SetSectionImage(int section, int image);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    std::vector<QPixmap> images_;
    std::vector<int> sectionImages_;
};

}  // namespace pantrel::qt
