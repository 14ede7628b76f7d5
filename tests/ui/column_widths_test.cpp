#include "ui/column_widths.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace pantrel {
namespace {

struct WidthCase {
    int clientWidth;
    std::array<int, 4> widths;
};

class ColumnWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(ColumnWidthTest, TruncatesEachShareOfTheClientWidth) {
    EXPECT_EQ(ModelListColumnWidths(GetParam().clientWidth), GetParam().widths);
}

INSTANTIATE_TEST_SUITE_P(
    ClientWidths, ColumnWidthTest,
    ::testing::Values(WidthCase{451, {18, 144, 135, 135}}, WidthCase{600, {24, 192, 180, 180}},
                      WidthCase{99, {3, 31, 29, 29}}, WidthCase{0, {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<WidthCase>& info) {
        std::string name = "W";  // appended: GCC 12 misreads "W" + text as overlapping
        name += std::to_string(info.param.clientWidth);
        return name;
    });

TEST(ColumnWidthTest, NeverTakesMoreThanTheClientWidth) {
    for (int width = 0; width < 2000; ++width) {
        const std::array<int, 4> widths = ModelListColumnWidths(width);
        EXPECT_LE(widths[0] + widths[1] + widths[2] + widths[3], width * 96 / 100) << width;
    }
}

}  // namespace
}  // namespace pantrel
