// The strips of kind and sort pictures.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <vector>

namespace pantrel::qt {

// Side of one picture in the kind and sort strips.
inline constexpr int STRIP_CELL_SIZE = 15;

// The cells of a strip of 15 x 15 pictures laid side by side (transparent where blank); empty
// when the image cannot be read.
std::vector<QPixmap> LoadImageStrip(const QString& resourcePath);

// The kinds' pictures of the model list: cell 0 blank, then cash register, fiscal printer,
// label scale and barcode reader.
std::vector<QPixmap> LoadKindImages();

// The sort pictures of the list header: ascending, descending, blank.
std::vector<QPixmap> LoadSortImages();

// The gear wheel on the blue disc in every size it was drawn in.
QIcon LoadWindowIcon();

}  // namespace pantrel::qt
