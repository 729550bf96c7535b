#include "CardArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "PixelFont.h"
#include "Shapes.h"

namespace resgen {
namespace {

const std::vector<Rgb>& CardPalette() {
    static const std::vector<Rgb> palette = {
        {0, 0, 0},       {255, 255, 255}, {64, 64, 72},  {176, 186, 204}, {240, 188, 40}, {156, 100, 20},
        {255, 236, 150}, {214, 40, 40},   {128, 20, 28}, {44, 84, 196},   {24, 36, 110},  {0, 128, 0},
        {252, 208, 168}, {170, 104, 48},  {96, 56, 24},  {212, 212, 220},
    };
    return palette;
}

constexpr double kPi = 3.14159265358979323846;

// ---- Suit emblems, drawn in a local box [-1, 1] x [-1, 1] -------------------------

void DrawCoin(ScaledPicture& img, const Frame& f, bool ornate) {
    FillOutlined(img, f(Disc(0, 0, 1)), kGold, kDarkWood);
    // A light crescent along the upper left, where the light falls on the rim.
    Fill(img, f(Intersect(Disc(0, 0, 0.8), Minus(Disc(-0.1, -0.1, 0.8), Disc(0.1, 0.1, 0.8)))), kPaleGold);
    if (ornate) {
        for (int i = 0; i < 16; ++i) {
            const double a = 2 * kPi * i / 16;
            Fill(img, f(Disc(0.82 * std::cos(a), 0.82 * std::sin(a), 0.06)), kDarkGold);
        }
    }
    FillOutlined(img, f(Disc(0, 0, 0.62)), kGold, kDarkGold);
    if (ornate) {
        for (int i = 0; i < 8; ++i) {
            const double a = 2 * kPi * i / 8;
            const Frame petal{f.cx + 0.3 * f.halfWidth * std::cos(a), f.cy + 0.3 * f.halfHeight * std::sin(a),
                              0.22 * f.halfWidth, 0.1 * f.halfHeight, a};
            FillOutlined(img, petal(Disc(0, 0, 1)), kRed, kDarkRed);
        }
        FillOutlined(img, f(Disc(0, 0, 0.16)), kPaleGold, kDarkGold);
    } else {
        FillOutlined(img, f(Disc(0, 0, 0.26)), kRed, kDarkRed);
    }
}

void DrawCup(ScaledPicture& img, const Frame& f, bool ornate = false) {
    FillOutlined(img,
                 f(Polygon({{-0.2, 0.6}, {0.2, 0.6}, {0.7, 0.88}, {0.7, 1.0}, {-0.7, 1.0}, {-0.7, 0.88}})),
                 kGold, kDarkGold);
    FillOutlined(img, f(Box(-0.14, 0.05, 0.14, 0.7)), kGold, kDarkGold);
    FillOutlined(img, f(Ellipse(0, 0.36, 0.32, 0.11)), kGold, kDarkGold);
    const Shape bowl =
        Union({Box(-0.9, -0.78, 0.9, -0.42), Intersect(Ellipse(0, -0.42, 0.9, 0.58), Box(-1, -0.42, 1, 1))});
    FillOutlined(img, f(bowl), kRed, kDarkRed);
    Fill(img, f(Capsule({-0.55, -0.55}, {-0.45, -0.2}, 0.1)), kWhite);
    if (ornate) {
        FillOutlined(img, f(Intersect(bowl, Box(-1, -0.3, 1, -0.16))), kGold, kDarkGold);
        for (double u : {-0.5, 0.0, 0.5})
            FillOutlined(img, f(Ellipse(u, -0.23, 0.09, 0.05)), kBlue, kDarkBlue);
    }
    FillOutlined(img, f(Box(-1, -0.95, 1, -0.7)), kGold, kDarkGold);
}

void DrawSword(ScaledPicture& img, const Frame& f, bool ornate = false) {
    FillOutlined(img, f(Polygon({{0, -1}, {0.4, -0.74}, {0.4, 0.46}, {-0.4, 0.46}, {-0.4, -0.74}})), kSteel,
                 kDarkGrey);
    if (f.halfWidth >= 7) Fill(img, f(Box(-0.06, -0.72, 0.06, 0.4)), kWhite);
    FillOutlined(img,
                 f(Union({Box(-0.85, 0.42, 0.85, 0.58), Ellipse(-0.9, 0.5, 0.17, 0.09),
                          Ellipse(0.9, 0.5, 0.17, 0.09)})),
                 kGold, kDarkGold);
    if (ornate) {
        // Quillons curling toward the blade, and a stone where they meet.
        for (double side : {-1.0, 1.0}) {
            FillOutlined(img, f(Capsule({0.85 * side, 0.47}, {1.0 * side, 0.34}, 0.07)), kGold, kDarkGold);
        }
        FillOutlined(img, f(Ellipse(0, 0.5, 0.16, 0.05)), kRed, kDarkRed);
    }
    FillOutlined(img, f(Box(-0.2, 0.56, 0.2, 0.86)), kBlue, kDarkBlue);
    if (ornate) {
        for (double v : {0.63, 0.71, 0.79}) Fill(img, f(Box(-0.2, v, 0.2, v + 0.015)), kDarkBlue);
    }
    FillOutlined(img, f(Ellipse(0, 0.91, 0.32, 0.09)), kGold, kDarkGold);
}

void DrawClub(ScaledPicture& img, const Frame& f) {
    // A sprig of leaves where the baton was cut from the tree.
    FillOutlined(img, f(Polygon({{-0.05, -0.78}, {0.45, -1.0}, {0.95, -0.95}, {0.5, -0.7}})), kTableGreen,
                 kDarkGrey);
    FillOutlined(img, f(Polygon({{-0.1, -0.8}, {-0.55, -1.0}, {-0.9, -0.85}, {-0.45, -0.7}})), kTableGreen,
                 kDarkGrey);
    // Lopped side branches, then the baton itself: a thick head tapering to the grip.
    const Point stubs[][2] = {
        {{0.15, -0.3}, {0.78, -0.55}}, {{-0.15, 0.12}, {-0.75, -0.08}}, {{0.1, 0.5}, {0.62, 0.36}}};
    for (const auto& stub : stubs) {
        FillOutlined(img, f(Capsule(stub[0], stub[1], 0.16)), kWood, kDarkWood);
        Fill(img, f(Ellipse(stub[1].x, stub[1].y, 0.1, 0.05)), kPaleGold);
    }
    FillOutlined(img, f(Taper({0, 0.94}, 0.22, {0, -0.58}, 0.46)), kWood, kDarkWood);
    for (const Point& knot : {Point{0.08, -0.45}, Point{-0.06, 0.08}, Point{0.05, 0.55}}) {
        Fill(img, f(Ellipse(knot.x, knot.y, 0.14, 0.035)), kDarkWood);
    }
    Fill(img, f(Capsule({-0.2, -0.62}, {-0.1, 0.7}, 0.05)), kPaleGold);
}

// Half sizes of an emblem of size s, so that every suit fills about the same area.
Frame EmblemFrame(Suit suit, double cx, double cy, double s) {
    switch (suit) {
        case Suit::Coins: return {cx, cy, s, s, 0};
        case Suit::Cups: return {cx, cy, 0.85 * s, s, 0};
        case Suit::Swords: return {cx, cy, 0.6 * s, 1.3 * s, 0};
        case Suit::Clubs: return {cx, cy, 0.65 * s, 1.3 * s, 0};
    }
    throw std::invalid_argument("suit");
}

void DrawEmblem(ScaledPicture& img, Suit suit, const Frame& f, bool ornate = false) {
    switch (suit) {
        case Suit::Coins: DrawCoin(img, f, ornate); break;
        case Suit::Cups: DrawCup(img, f); break;
        case Suit::Swords: DrawSword(img, f); break;
        case Suit::Clubs: DrawClub(img, f); break;
    }
}

// ---- Card faces ---------------------------------------------------------------------

// One pixel of the picture at 100 %; a square of pixels at a higher density.
void Dot(ScaledPicture& img, int x, int y, std::uint8_t pen) { Fill(img, Box(x, y, x + 1, y + 1), pen); }

void DrawBlankFace(ScaledPicture& img) {
    FillOutlined(img, RoundedBox(0, 0, kCardWidth, kCardHeight, 4), kWhite, kDarkGrey);
}

// A stroke of lettering centred on a pixel's centre for an odd pen width, and on the line
// between two pixels for an even one, so that its edges fall on whole pixels.
double OnPixelGrid(double x, int penWidth) { return penWidth % 2 ? std::floor(x) + 0.5 : std::round(x); }

// A glyph of the pixel font as pen strokes through the centres of its font pixels, each
// pen width wide and placed on whole pixels: side neighbours are joined, and diagonal
// neighbours when no side neighbour links them. At one pixel per font pixel this inks
// exactly the font's pixels; at a higher density the diagonals come out smooth.
Shape GlyphInPixels(const Glyph& g, double left, double top, const ScaledPicture& img) {
    const int pen = img.penWidth;
    auto ink = [&](int gx, int gy) {
        return gx >= 0 && gy >= 0 && gx < g.width && gy < int(g.rows.size()) && g.Ink(gx, gy);
    };
    auto centre = [&](int gx, int gy) {
        return Point{OnPixelGrid((left + gx + 0.5) * img.pixelsPerUnitX, pen),
                     OnPixelGrid((top + gy + 0.5) * img.pixelsPerUnitY, pen)};
    };
    const double radius = 0.6 * pen;
    std::vector<Shape> strokes;
    for (int gy = 0; gy < int(g.rows.size()); ++gy) {
        for (int gx = 0; gx < g.width; ++gx) {
            if (!ink(gx, gy)) continue;
            const Point p = centre(gx, gy);
            strokes.push_back(Capsule(p, p, radius));
            if (ink(gx + 1, gy)) strokes.push_back(Capsule(p, centre(gx + 1, gy), radius));
            if (ink(gx, gy + 1)) strokes.push_back(Capsule(p, centre(gx, gy + 1), radius));
            for (int dx : {-1, 1}) {
                if (ink(gx + dx, gy + 1) && !ink(gx + dx, gy) && !ink(gx, gy + 1)) {
                    strokes.push_back(Capsule(p, centre(gx + dx, gy + 1), radius));
                }
            }
        }
    }
    return Union(std::move(strokes));
}

// The rank in the top left corner and, turned round, in the bottom right one.
void DrawIndex(ScaledPicture& img, int rank) {
    const std::string text = std::to_string(rank);
    const double width = img.image.width, height = img.image.height;
    int x = 3;
    for (char c : text) {
        const Shape glyph = GlyphInPixels(IndexDigit(c), x, 3, img);
        Fill(img, img.FromPixels(glyph), kBlack);
        Fill(img, img.FromPixels([=](double px, double py) { return glyph(width - px, height - py); }),
             kBlack);
        x += IndexDigit(c).width + 1;
    }
}

void DrawAce(ScaledPicture& img, Suit suit) {
    const double cx = kCardWidth / 2.0, cy = kCardHeight / 2.0;
    switch (suit) {
        case Suit::Coins: DrawCoin(img, {cx, cy, 23, 23, 0}, true); break;
        case Suit::Cups: DrawCup(img, {cx, cy, 21, 30, 0}, true); break;
        case Suit::Swords: DrawSword(img, {cx, cy, 13, 42, 0}, true); break;
        case Suit::Clubs: DrawClub(img, {cx, cy, 15, 40, 0}); break;
    }
}

// Pip centres of the number cards: the three on a diagonal, the others in one or two
// columns, the seven with three pips across the middle.
std::vector<Point> PipPlaces(int count) {
    const double l = 18.5, m = 31.5, r = 44.5;
    switch (count) {
        case 2: return {{m, 27}, {m, 74}};
        case 3: return {{20, 21}, {m, 50.5}, {43, 80}};
        case 4: return {{l, 27}, {r, 27}, {l, 74}, {r, 74}};
        case 5: return {{l, 24}, {r, 24}, {m, 50.5}, {l, 77}, {r, 77}};
        case 6: return {{l, 22}, {r, 22}, {l, 50.5}, {r, 50.5}, {l, 79}, {r, 79}};
        case 7: return {{l, 20}, {r, 20}, {12, 50.5}, {m, 50.5}, {51, 50.5}, {l, 81}, {r, 81}};
    }
    throw std::invalid_argument("pip count");
}

double PipSize(int count) {
    return count == 2 ? 12.5 : count == 3 ? 11 : count <= 5 ? 11.5 : count == 6 ? 9.5 : 8.5;
}

void DrawPips(ScaledPicture& img, Suit suit, int count) {
    for (const Point& p : PipPlaces(count)) {
        DrawEmblem(img, suit, EmblemFrame(suit, p.x, p.y, PipSize(count)));
    }
}

struct Clothes {
    std::uint8_t main, second;
};

Clothes ClothesOf(Suit suit) {
    switch (suit) {
        case Suit::Coins: return {kRed, kBlue};
        case Suit::Cups: return {kBlue, kRed};
        case Suit::Swords: return {kTableGreen, kDarkRed};
        case Suit::Clubs: return {kDarkRed, kTableGreen};
    }
    throw std::invalid_argument("suit");
}

// Figures hold a sword or a baton by its grip, a coin or a cup in the open hand.
bool HeldByGrip(Suit suit) { return suit == Suit::Swords || suit == Suit::Clubs; }

void DrawFace(ScaledPicture& img, double cx, double cy, double r) {
    FillOutlined(img, Disc(cx, cy, r), kSkin, kDarkWood);
    Dot(img, int(cx - 2.5), int(cy), kBlack);
    Dot(img, int(cx + 1.5), int(cy), kBlack);
    Dot(img, int(cx - 0.5), int(cy + 3), kDarkRed);
}

void DrawKnave(ScaledPicture& img, Suit suit) {
    const Clothes c = ClothesOf(suit);
    for (double x : {25.0, 33.0}) {
        FillOutlined(img, Box(x, 60, x + 5, 87), c.second, kBlack);
        FillOutlined(img, Ellipse(x + 2.5 - (x < 30 ? 1 : -1), 88, 4.5, 2.5), kDarkWood, kBlack);
    }
    const Shape tunic = Polygon({{23, 31}, {40, 31}, {45, 64}, {18, 64}});
    FillOutlined(img, tunic, c.main, kBlack);
    Fill(img, Intersect(tunic, Box(0, 60, 63, 63)), kGold);
    FillOutlined(img, Intersect(tunic, Box(0, 46, 63, 50)), kGold, kDarkGold);
    FillOutlined(img, Capsule({23, 34}, {17, 55}, 3), c.main, kBlack);
    FillOutlined(img, Disc(17, 57, 2.6), kSkin, kDarkWood);
    FillOutlined(img, Box(29, 27, 34, 32), kSkin, kDarkWood);
    DrawFace(img, 31.5, 22, 6);
    FillOutlined(img, Intersect(Disc(31.5, 22, 6.6), Box(0, 0, 63, 20)), kDarkWood, kBlack);
    FillOutlined(img, Ellipse(31.5, 16, 8.5, 3.2), c.main, kBlack);
    FillOutlined(img, Capsule({36, 14}, {44, 7}, 1.4), kWhite, kDarkGrey);
    // The raised arm holds the suit's emblem up at shoulder height.
    FillOutlined(img, Capsule({40, 34}, {46, 46}, 3), c.main, kBlack);
    if (HeldByGrip(suit)) {
        DrawEmblem(img, suit, EmblemFrame(suit, 47, 37, 11));
    } else {
        DrawEmblem(img, suit, EmblemFrame(suit, 48, 36, 8.5));
    }
    FillOutlined(img, Disc(46.5, 47, 2.6), kSkin, kDarkWood);
}

void DrawKnight(ScaledPicture& img, Suit suit) {
    const Clothes c = ClothesOf(suit);
    FillOutlined(img, Taper({14, 60}, 2.6, {9, 78}, 1.4), kDarkWood, kBlack);
    for (const auto& leg : std::array<std::array<double, 4>, 4>{
             {{20, 64, 17, 89}, {25, 66, 26, 89}, {38, 66, 40, 89}, {43, 63, 47, 88}}}) {
        FillOutlined(img, Capsule({leg[0], leg[1]}, {leg[2], leg[3]}, 2.3), kLightGrey, kDarkGrey);
        FillOutlined(img, Box(leg[2] - 2.5, leg[3] - 1, leg[2] + 2.5, leg[3] + 2), kDarkGrey, kBlack);
    }
    const Shape body = Ellipse(30, 61, 17, 8.5);
    FillOutlined(img, Polygon({{39, 57}, {45, 42}, {51, 43}, {47, 62}}), kLightGrey, kDarkGrey);
    FillOutlined(img, Frame{51, 45, 8, 3.8, 0.6}(Disc(0, 0, 1)), kLightGrey, kDarkGrey);
    FillOutlined(img, Polygon({{45, 41}, {46, 35}, {49, 41}}), kLightGrey, kDarkGrey);
    FillOutlined(img, body, kLightGrey, kDarkGrey);
    Dot(img, 53, 43, kBlack);
    FillOutlined(img, Capsule({42, 52}, {46, 40}, 1.6), kDarkWood, kBlack);
    FillOutlined(img, Intersect(body, Box(21, 50, 39, 66)), c.second, kBlack);
    Fill(img, Intersect(Intersect(body, Box(21, 50, 39, 66)), Box(0, 63, 63, 66)), kGold);
    // The rider: a leg along the horse's flank, the body upright, one arm raised.
    FillOutlined(img, Capsule({30, 55}, {31, 72}, 3), c.main, kBlack);
    FillOutlined(img, Ellipse(32, 74, 3.6, 2.2), kDarkWood, kBlack);
    FillOutlined(img, Polygon({{25, 36}, {36, 36}, {37, 56}, {24, 56}}), c.main, kBlack);
    FillOutlined(img, Box(24.5, 48, 36.5, 51), kGold, kDarkGold);
    FillOutlined(img, Capsule({36, 40}, {44, 47}, 2.4), c.main, kBlack);
    DrawFace(img, 30.5, 29, 5.2);
    FillOutlined(img, Intersect(Disc(30.5, 28.5, 5.8), Box(0, 0, 63, 27)), kSteel, kDarkGrey);
    FillOutlined(img, Capsule({30.5, 22}, {27, 17}, 1.2), kRed, kDarkRed);
    FillOutlined(img, Capsule({26, 39}, {17, 32}, 2.4), c.main, kBlack);
    if (HeldByGrip(suit)) {
        DrawEmblem(img, suit, EmblemFrame(suit, 16.5, 23.5, 10));
    } else {
        DrawEmblem(img, suit, EmblemFrame(suit, 15, 24, 7.5));
    }
    FillOutlined(img, Disc(16.5, 32.5, 2.4), kSkin, kDarkWood);
}

void DrawKing(ScaledPicture& img, Suit suit) {
    const Clothes c = ClothesOf(suit);
    const Shape robe = Polygon({{22, 32}, {41, 32}, {51, 93}, {12, 93}});
    FillOutlined(img, robe, c.main, kBlack);
    // Ermine trim down the front and along the hem.
    const Shape trim = Intersect(robe, Union({Box(28.5, 32, 34.5, 93), Box(0, 87, 63, 93)}));
    Fill(img, trim, kWhite);
    for (int y = 38; y < 92; y += 5) Dot(img, 31, y, kBlack);
    for (int x = 16; x < 48; x += 5) Dot(img, x, 90, kBlack);
    FillOutlined(img, Ellipse(31.5, 35, 13, 5), c.second, kBlack);
    FillOutlined(img, Box(29, 27, 34, 32), kSkin, kDarkWood);
    DrawFace(img, 31.5, 23, 6);
    FillOutlined(img, Intersect(Ellipse(31.5, 27, 6.5, 6.5), Box(0, 26, 63, 63)), kLightGrey, kDarkGrey);
    Dot(img, 31, 26, kDarkRed);
    Dot(img, 32, 26, kDarkRed);
    FillOutlined(img, Polygon({{24, 19}, {24, 9}, {27.8, 14}, {31.5, 7}, {35.2, 14}, {39, 9}, {39, 19}}),
                 kGold, kDarkGold);
    FillOutlined(img, Disc(31.5, 15.5, 1.6), kRed, kDarkRed);
    // Coins and cups are held up in front of the chest; a sword or a baton by its grip.
    const bool held = HeldByGrip(suit);
    const double handY = held ? 62 : 55;
    FillOutlined(img, Capsule({22, 37}, {26, handY - 3}, 3), c.main, kBlack);
    FillOutlined(img, Capsule({41, 37}, {37, handY - 3}, 3), c.main, kBlack);
    DrawEmblem(img, suit, EmblemFrame(suit, 31.5, held ? 50 : 55, held ? 13 : 9.5));
    FillOutlined(img, Disc(28, handY, 2.5), kSkin, kDarkWood);
    FillOutlined(img, Disc(35, handY, 2.5), kSkin, kDarkWood);
}

const char* SuitName(Suit suit) {
    static const char* const names[] = {"coins", "cups", "swords", "clubs"};
    return names[int(suit)];
}

// Outlines and the strokes of the corner index: 1 pixel wide up to 150 %, 2 from 175 %
// to 250 %, 3 at 300 %.
int PenWidth(int percent) { return std::max(1, (percent + 25) / 100); }

ScaledPicture BlankCard(int percent) {
    return ScaledPicture(kCardWidth, kCardHeight, ScaledLength(kCardWidth, percent),
                         ScaledLength(kCardHeight, percent), PenWidth(percent), CardPalette(), kTableGreen);
}

void CheckId(int id) {
    if (id < 1 || id > 40) throw std::out_of_range("card id " + std::to_string(id));
}

}  // namespace

IndexedImage DrawCard(int id, int percent) {
    CheckId(id);
    const Suit suit = Suit((id - 1) / 10);
    const int rank = (id - 1) % 10 + 1;
    ScaledPicture img = BlankCard(percent);
    DrawBlankFace(img);
    if (rank == 1) {
        DrawAce(img, suit);
    } else if (rank <= 7) {
        DrawPips(img, suit, rank);
    } else if (rank == 8) {
        DrawKnave(img, suit);
    } else if (rank == 9) {
        DrawKnight(img, suit);
    } else {
        DrawKing(img, suit);
    }
    DrawIndex(img, rank);
    return img.image;
}

IndexedImage DrawCardBack(int percent) {
    ScaledPicture img = BlankCard(percent);
    DrawBlankFace(img);
    FillOutlined(img, RoundedBox(3, 3, kCardWidth - 3, kCardHeight - 3, 2), kRed, kDarkRed);
    // Interlaced diamonds, two reds, inside a thin white frame.
    const Shape field = Box(5, 5, kCardWidth - 5, kCardHeight - 5);
    Fill(
        img,
        [&](double x, double y) {
            if (!field(x, y)) return false;
            // At 100 % the pixel centres have x + y one above the pixel's own x + y.
            const int u = int(std::floor(x + y - 1)) % 8, v = (int(std::floor(x - y)) + 800) % 8;
            return (u < 4) != (v < 4);
        },
        kDarkRed);
    FillOutlined(img,
                 Minus(RoundedBox(8, 8, kCardWidth - 8, kCardHeight - 8, 2),
                       Box(9, 9, kCardWidth - 9, kCardHeight - 9)),
                 kWhite, kWhite);
    const double cx = kCardWidth / 2.0, cy = kCardHeight / 2.0;
    FillOutlined(img, Polygon({{cx, cy - 16}, {cx + 11, cy}, {cx, cy + 16}, {cx - 11, cy}}), kRed, kWhite);
    FillOutlined(img, Polygon({{cx, cy - 10}, {cx + 6.5, cy}, {cx, cy + 10}, {cx - 6.5, cy}}), kDarkRed,
                 kWhite);
    return img.image;
}

int ScaledLength(int length100, int percent) { return (length100 * percent + 50) / 100; }

std::string CardFileStem(int id) {
    CheckId(id);
    static const char* const figures[] = {"ace", "", "", "", "", "", "", "knave", "knight", "king"};
    const int rank = (id - 1) % 10 + 1;
    std::string stem =
        std::string(SuitName(Suit((id - 1) / 10))) + "-" + (rank < 10 ? "0" : "") + std::to_string(rank);
    if (*figures[rank - 1]) stem += std::string("-") + figures[rank - 1];
    return stem;
}

}  // namespace resgen
