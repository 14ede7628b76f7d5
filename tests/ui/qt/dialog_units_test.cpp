#include "ui/qt/dialog_units.h"

#include <gtest/gtest.h>

namespace pantrel::qt {
namespace {

TEST(DialogUnitsTest, QuarterCharacterWidthAndEighthCharacterHeightRounded) {
    const DialogBaseUnits units{6, 13};
    // 7 x 6 / 4 = 10.5 and 139 x 13 / 8 = 225.875 round to 11 and 226.
    EXPECT_EQ(DialogRect(units, 7, 139, 50, 14), QRect(11, 226, 75, 23));
    EXPECT_EQ(DialogUnitsToPixelsX(units, 320), 480);
    EXPECT_EQ(DialogUnitsToPixelsY(units, 160), 260);
}

}  // namespace
}  // namespace pantrel::qt
