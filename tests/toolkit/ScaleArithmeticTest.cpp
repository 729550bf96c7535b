// The arithmetic of the display scale with the numbers worked out by hand: layout units
// to pixels and back, the density of picture tried first, and the area filter.
#include "DisplayScale.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace NeloUtility;

// Halves go away from zero: 1 unit at 144 DPI is 1.5 pixels, drawn as 2.
TEST(ScaleArithmetic, UnitsAndPixelsRoundToTheNearest) {
    const int dpis[] = {96, 120, 144, 192};
    struct Case {
        int value;
        int pixels[4];  // ToPixels(value, dpi) at each of dpis
        int units[4];   // ToUnits(value, dpi)
    };
    const Case cases[] = {
        {1, {1, 1, 2, 2}, {1, 1, 1, 1}},
        {3, {3, 4, 5, 6}, {3, 2, 2, 2}},
        {63, {63, 79, 95, 126}, {63, 50, 42, 32}},
        {101, {101, 126, 152, 202}, {101, 81, 67, 51}},
        {640, {640, 800, 960, 1280}, {640, 512, 427, 320}},
        {-3, {-3, -4, -5, -6}, {-3, -2, -2, -2}},
    };
    for (const Case& c : cases)
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(c.pixels[i], ToPixels(c.value, dpis[i])) << c.value << " units at " << dpis[i];
            EXPECT_EQ(c.units[i], ToUnits(c.value, dpis[i])) << c.value << " pixels at " << dpis[i];
        }
}

// The program's densities are 100, 125, 150, 175, 200, 250 and 300 %: the nearest at or
// above the scale comes first, then the denser ones, then the others from the nearest down.
TEST(ScaleArithmetic, DensitiesAreTriedFromTheNearestAtOrAboveTheScale) {
    const std::vector<int> percents = {IDB_DENSITY_PERCENTS};
    const struct {
        int dpi;
        std::vector<int> order;
    } cases[] = {
        {96, {0, 1, 2, 3, 4, 5, 6}},  {110, {1, 2, 3, 4, 5, 6, 0}}, {120, {1, 2, 3, 4, 5, 6, 0}},
        {144, {2, 3, 4, 5, 6, 1, 0}}, {168, {3, 4, 5, 6, 2, 1, 0}}, {192, {4, 5, 6, 3, 2, 1, 0}},
        {240, {5, 6, 4, 3, 2, 1, 0}}, {288, {6, 5, 4, 3, 2, 1, 0}}, {400, {6, 5, 4, 3, 2, 1, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.order, DensityOrder(percents, c.dpi)) << c.dpi << " DPI";
    EXPECT_EQ(std::vector<int>{0}, DensityOrder({}, 192)) << "a program without densities";
}

// Each colour channel of a new pixel is the area-weighted average of the old ones.
TEST(ScaleArithmetic, AreaFilterAveragesWhatEachPixelCovers) {
    const struct {
        const char* name;
        SIZE from, to;
        std::vector<DWORD> pixels, expected;
    } cases[] = {
        {"a 2 x 2 block to one pixel",
         {2, 2},
         {1, 1},
         {0x000000, 0x0000FC, 0x00FC00, 0xFC0000},
         {0xFF3F3F3F}},
        {"three pixels to two: two thirds and a third",
         {3, 1},
         {2, 1},
         {0x000000, 0x5A5A5A, 0xB4B4B4},
         {0xFF1E1E1E, 0xFF969696}},
        {"a half rounds up", {2, 1}, {1, 1}, {0x000001, 0x000102}, {0xFF000102}},
        {"one pixel enlarged", {1, 1}, {2, 3}, {0x123456}, std::vector<DWORD>(6, 0xFF123456)},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, AreaResample(c.pixels, c.from, c.to)) << c.name;
}

}  // namespace
