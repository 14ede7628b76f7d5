#include "ui/qt/image_strip.h"

#include "ui/qt/ui_resources.h"

namespace pantrel::qt {

std::vector<QPixmap> LoadImageStrip(const QString& resourcePath) {
    EnsureUiResources();
    const QPixmap strip(resourcePath);
    std::vector<QPixmap> cells;
    if (strip.isNull() || strip.height() < STRIP_CELL_SIZE) {
        return cells;
    }
    for (int x = 0; x + STRIP_CELL_SIZE <= strip.width(); x += STRIP_CELL_SIZE) {
        cells.push_back(strip.copy(x, 0, STRIP_CELL_SIZE, STRIP_CELL_SIZE));
    }
    return cells;
}

std::vector<QPixmap> LoadKindImages() {
    return LoadImageStrip(QStringLiteral(":/icons/kinds.png"));
}

std::vector<QPixmap> LoadSortImages() {
    return LoadImageStrip(QStringLiteral(":/icons/sort.png"));
}

QIcon LoadWindowIcon() {
    EnsureUiResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/icons/pantrel-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace pantrel::qt
