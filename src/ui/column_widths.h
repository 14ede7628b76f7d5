// The widths of the model list's columns.
#pragma once

#include <array>

#include "ui/list_row.h"

namespace pantrel {

// Widths of the model list's four columns for a list whose client area is `clientWidth` pixels
// wide: 4, 32, 30 and 30 per cent, each truncated, so together never more than 96 per cent.
std::array<int, LIST_COLUMN_COUNT> ModelListColumnWidths(int clientWidth);

}  // namespace pantrel
