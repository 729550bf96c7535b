// The generator's building blocks whose faults the finished files would hide: the colour
// reduction of the logos and the hand-typed glyph tables.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "PixelFont.h"
#include "Shapes.h"

namespace {

using resgen::Rgb;

std::vector<Rgb> Gradient(int width, int height) {
    std::vector<Rgb> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back({std::uint8_t(x * 4), std::uint8_t(y * 4), std::uint8_t((x + y) * 2)});
    }
    return pixels;
}

TEST(Quantize, KeepsExactColoursWhenThereAreFewEnough) {
    std::vector<Rgb> pixels;
    pixels.reserve(256);
    for (int i = 0; i < 256; ++i)
        pixels.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)});
    const resgen::IndexedImage image = resgen::QuantizeTo256(16, 16, pixels);
    ASSERT_EQ(image.palette.size(), 256u);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        EXPECT_TRUE(image.palette[image.pixels[i]] == pixels[i]) << i;
}

TEST(Quantize, ManyColoursComeOutCloseAndAlwaysTheSame) {
    const std::vector<Rgb> pixels = Gradient(64, 64);  // 4096 colours
    const resgen::IndexedImage image = resgen::QuantizeTo256(64, 64, pixels);
    EXPECT_LE(image.palette.size(), 256u);
    EXPECT_GT(image.palette.size(), 200u) << "palette left unused";
    int worst = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const Rgb got = image.palette[image.pixels[i]];
        worst = std::max({worst, std::abs(got.r - pixels[i].r), std::abs(got.g - pixels[i].g),
                          std::abs(got.b - pixels[i].b)});
    }
    EXPECT_LE(worst, 24);
    const resgen::IndexedImage again = resgen::QuantizeTo256(64, 64, pixels);
    EXPECT_TRUE(again.pixels == image.pixels);
}

TEST(Quantize, AFlatBackgroundKeepsItsExactColour) {
    std::vector<Rgb> pixels = Gradient(64, 64);
    for (int i = 0; i < 2000; ++i) pixels[std::size_t(i)] = {0, 128, 0};
    const resgen::IndexedImage image = resgen::QuantizeTo256(64, 64, pixels);
    EXPECT_TRUE(image.palette[image.pixels[0]] == (Rgb{0, 128, 0}));
}

TEST(PixelFont, GlyphRowsAreRectangularAndInked) {
    std::vector<const resgen::Glyph*> glyphs;
    for (char c = '0'; c <= '9'; ++c) glyphs.push_back(&resgen::IndexDigit(c));
    for (char c : std::string("Zandro+")) glyphs.push_back(&resgen::WordmarkGlyph(c));
    std::set<std::vector<std::string>> distinct;
    for (const resgen::Glyph* g : glyphs) {
        EXPECT_EQ(g->rows.size(), 7u);
        int ink = 0;
        for (const std::string& row : g->rows) {
            EXPECT_EQ(int(row.size()), g->width);
            EXPECT_EQ(row.find_first_not_of(".#"), std::string::npos) << row;
            for (char c : row) ink += c == '#';
        }
        EXPECT_GT(ink, 4);
        distinct.insert(g->rows);
    }
    EXPECT_EQ(distinct.size(), glyphs.size()) << "two glyphs look the same";
    EXPECT_THROW(resgen::WordmarkGlyph('Q'), std::out_of_range);
}

// A disc at one, two and three pixels a unit: its outline is as thick as the pen is wide.
TEST(Shapes, OutlineRingsTheFillAsWideAsThePenAndStaysInsideTheShape) {
    for (int k : {1, 2, 3}) {
        resgen::ScaledPicture picture(20, 20, 20 * k, 20 * k, k, {{255, 255, 255}, {0, 0, 0}, {255, 0, 0}},
                                      0);
        resgen::FillOutlined(picture, resgen::Disc(10, 10, 6), 2, 1);
        std::string column;  // down the middle, from the top to the centre
        for (int y = 0; y <= 10 * k; ++y) column += char('0' + picture.image.At(10 * k, y));
        const std::size_t pen = k;  // rows of outline, after 4 units outside and before 5 of fill
        EXPECT_EQ(column, std::string(4 * pen, '0') + std::string(pen, '1') + std::string(5 * pen + 1, '2'));
        EXPECT_EQ(picture.image.At(4 * k + k - 1, 10 * k), 1) << "left edge";
        EXPECT_EQ(picture.image.At(0, 0), 0);
    }
}

}  // namespace
