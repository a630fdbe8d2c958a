#include <gtest/gtest.h>

#include "ui/model/dpi_scaling.h"
#include "ui/model/list_columns.h"
#include "win32/pixel_resample.h"

namespace vantrel {
namespace {

TEST(ScaleForDpi, RoundsLikeMulDiv) {
    const struct {
        int value, dpi, expected;
    } kCases[] =
        {
            {10, 96, 10}, {10, 120, 13},   {10, 144, 15},   {10, 192, 20},
            {1, 120, 1},  {2, 120, 3},     {-10, 120, -13}, {-2, 120, -3},
            {0, 144, 0},  {332, 144, 498}, {640, 0, 640},  // no DPI known: unchanged
        };
    for (const auto& c : kCases) {
        EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
    }
    EXPECT_EQ(RescaleForDpi(240, 144, 96), 160);
    EXPECT_EQ(RescaleForDpi(121, 144, 192), 161);
}

TEST(ColumnWidths, FixedColumnsScaleAndTheFolderColumnTakesTheRest) {
    // dpi, scroll bar width at that dpi, then the file-list widths for a 900-pixel list; at
    // 192 DPI the fixed columns leave nothing, and the folder column keeps its least width.
    const struct {
        int dpi, scroll;
        std::vector<int> widths;
    } kCases[] = {
        {96, 17, {160, 40, 72, 125, 426, 60}},
        {120, 21, {200, 50, 90, 156, 308, 75}},
        {144, 26, {240, 60, 108, 188, 188, 90}},
        {192, 34, {320, 80, 144, 250, 120, 120}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ColumnWidths(kFileListColumns, 900, c.scroll, c.dpi), c.widths) << c.dpi;
    }
    EXPECT_EQ(ColumnWidths(kFolderListColumns, 300, 26, 144), (std::vector<int>{184, 90}));
}

TEST(NearestIconSize, PicksTheClosestOfferedSizeAndTheLargerOnATie) {
    EXPECT_EQ(NearestIconSize(20, {16, 32, 48}), 16);
    EXPECT_EQ(NearestIconSize(24, {16, 32, 48}), 32);
    EXPECT_EQ(NearestIconSize(24, {24, 32, 48}), 24);
    EXPECT_EQ(NearestIconSize(40, {0, 0}), 40);
}

TEST(ResampleStrip, AveragesCoveredAreaAndKeepsKeyAndImagesApart) {
    constexpr uint32_t K = kMagentaKey;
    constexpr uint32_t W = 0xFFFFFFFF;
    constexpr uint32_t B = 0xFF000000;
    const struct {
        const char* name;
        PixelImage source;
        int count, cell;
        std::vector<uint32_t> expected;
    } kCases[] = {
        {"2x2 to 1x1 averages", {2, 2, {W, B, B, W}}, 1, 1, {0xFF808080}},
        {"mostly key stays key", {2, 2, {K, K, K, W}}, 1, 1, {K}},
        {"key does not tint", {2, 2, {K, W, K, W}}, 1, 1, {W}},
        {"1x1 to 2x2 repeats", {1, 1, {B}}, 1, 2, {B, B, B, B}},
        {"two images do not bleed", {2, 1, {W, B}}, 2, 2, {W, W, B, B, W, W, B, B}},
    };
    for (const auto& c : kCases) {
        const PixelImage out = ResampleStrip(c.source, c.count, c.cell, c.cell);
        EXPECT_EQ(out.pixels, c.expected) << c.name;
        EXPECT_EQ(out.width, c.cell * c.count) << c.name;
    }
}

}  // namespace
}  // namespace vantrel
