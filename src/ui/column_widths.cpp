#include "ui/column_widths.h"

namespace pantrel {

std::array<int, LIST_COLUMN_COUNT> ModelListColumnWidths(int clientWidth) {
    return {4 * clientWidth / 100, 32 * clientWidth / 100, 30 * clientWidth / 100,
            30 * clientWidth / 100};
}

}  // namespace pantrel
