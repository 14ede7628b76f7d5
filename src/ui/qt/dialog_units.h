// Dialog units to pixels for the Qt window's layout.
#pragma once

#include <QRect>

class QFont;

namespace pantrel::qt {

// The base units through which the window's layout, given in dialog units, becomes pixels: the
// dialog font's average character width and its height. A horizontal dialog unit is a quarter
// of the width, a vertical one an eighth of the height.
struct DialogBaseUnits {
    int averageCharWidth = 0;
    int charHeight = 0;
};

// Measures the font the way dialog templates are laid out: the width of the 52 Latin letters,
// halved and averaged with rounding.
DialogBaseUnits MeasureDialogBaseUnits(const QFont& font);

int DialogUnitsToPixelsX(const DialogBaseUnits& units, int x);
int DialogUnitsToPixelsY(const DialogBaseUnits& units, int y);

// A control's rectangle from its position and size in dialog units.
QRect DialogRect(const DialogBaseUnits& units, int x, int y, int width, int height);

}  // namespace pantrel::qt
