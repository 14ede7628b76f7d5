#include "ui/qt/dialog_units.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace pantrel::qt {
namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int ScaleRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

DialogBaseUnits MeasureDialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

int DialogUnitsToPixelsX(const DialogBaseUnits& units, int x) {
    return ScaleRounded(x, units.averageCharWidth, 4);
}

int DialogUnitsToPixelsY(const DialogBaseUnits& units, int y) {
    return ScaleRounded(y, units.charHeight, 8);
}

QRect DialogRect(const DialogBaseUnits& units, int x, int y, int width, int height) {
    return QRect(DialogUnitsToPixelsX(units, x), DialogUnitsToPixelsY(units, y),
                 DialogUnitsToPixelsX(units, width), DialogUnitsToPixelsY(units, height));
}

}  // namespace pantrel::qt
