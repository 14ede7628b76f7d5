#include "ui/win32/context_menu.h"

#include <gtest/gtest.h>

namespace pantrel::win32 {
namespace {

constexpr RECT WINDOW{100, 50, 580, 335};

void ExpectPoint(POINT actual, LONG x, LONG y) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
}

TEST(ContextMenuPositionTest, APointerInsideTheWindowOpensTheMenuThere) {
    ExpectPoint(ContextMenuPosition(POINT{300, 200}, WINDOW), 300, 200);
    ExpectPoint(ContextMenuPosition(POINT{100, 50}, WINDOW), 100, 50);
}

TEST(ContextMenuPositionTest, AKeyboardRequestOpensTheMenuAtTheWindowsTopLeftCorner) {
    ExpectPoint(ContextMenuPosition(POINT{-1, -1}, WINDOW), 100, 50);
}

TEST(ContextMenuPositionTest, APointOutsideTheWindowFallsBackToItsCorner) {
    // The right and bottom edges lie outside the rectangle.
    ExpectPoint(ContextMenuPosition(POINT{580, 200}, WINDOW), 100, 50);
    ExpectPoint(ContextMenuPosition(POINT{300, 335}, WINDOW), 100, 50);
}

TEST(ContextMenuPositionTest, AWindowThatCoversMinusOneStillOpensTheMenuThere) {
    // A window dragged partly off the screen's top-left contains (-1, -1).
    ExpectPoint(ContextMenuPosition(POINT{-1, -1}, RECT{-20, -20, 300, 200}), -1, -1);
}

}  // namespace
}  // namespace pantrel::win32
