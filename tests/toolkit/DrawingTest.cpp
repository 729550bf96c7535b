// The drawing helpers, painted into a memory bitmap and checked pixel by pixel.
#include "Drawing.h"
#include "GUIElement.h"
#include "PaintedPixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace NeloUtility;
using namespace ControlTests;

namespace {

// What a helper leaves selected in the context.
struct Selection {
    HGDIOBJ pen, brush, font;
    explicit Selection(HDC dc)
        : pen(GetCurrentObject(dc, OBJ_PEN)),
          brush(GetCurrentObject(dc, OBJ_BRUSH)),
          font(GetCurrentObject(dc, OBJ_FONT)) {}
    bool operator==(const Selection& o) const { return pen == o.pen && brush == o.brush && font == o.font; }
};

// Columns in [from, to) holding a pixel that is not white.
bool InkBetween(const Canvas& canvas, int from, int to) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = from; x < to; ++x)
            if (canvas.At(x, y) != kWhite) return true;
    return false;
}

}  // namespace

TEST(DrawingRectangles, FillCoversOnePixelLessEachWayAndFrameIsOneOutline) {
    Canvas canvas(20, 20);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.dc());
    Selection before(canvas.dc());

    // A 9 x 9 square from (2, 3), every pixel of it filled.
    FillRect(drawing, 2, 3, 10, 10, kRed);
    EXPECT_EQ(Corners(canvas.Bounds(kRed)), (std::vector<LONG>{2, 3, 11, 12}));
    EXPECT_EQ(canvas.Count(kRed), 81);
    EXPECT_TRUE(Selection(canvas.dc()) == before);

    // Within a 10 x 10 box and nothing inside: 36 pixels are exactly its outline.
    canvas.Fill(kWhite);
    FrameRect(drawing, 2, 3, 10, 10, kGreen);
    EXPECT_EQ(Corners(canvas.Bounds(kGreen)), (std::vector<LONG>{2, 3, 12, 13}));
    EXPECT_EQ(canvas.Count(kGreen), 36);
    EXPECT_EQ(canvas.Count(kWhite, RECT{3, 4, 11, 12}), 64) << "a frame leaves its inside alone";
    EXPECT_TRUE(Selection(canvas.dc()) == before);
}

// A rounded rectangle covers its area but for the corners, its outline inside the edge; with
// corners as large as the area it is an ellipse (between the one a pixel inside it and the
// area itself).
TEST(DrawingRectangles, RoundedShapesFillTheirAreaButTheCorners) {
    const struct {
        SIZE corner;
        COLORREF outline;
        int outlineWidth;
        int leastFilled, mostFilled;  // red pixels
    } cases[] = {{{0, 0}, CLR_INVALID, 0, 20 * 10, 20 * 10},
                 {{0, 0}, kGreen, 2, 16 * 6, 16 * 6},
                 {{20, 10}, CLR_INVALID, 0, 3 * 9 * 4, 20 * 10 - 4},
                 {{6, 6}, kGreen, 1, 18 * 8 - 4 * 4, 18 * 8 - 4}};
    for (const auto& c : cases) {
        Canvas canvas(30, 20);
        Drawing drawing(nullptr);
        drawing.Attach(canvas.dc());
        Selection before(canvas.dc());
        DrawRoundRect(drawing, RECT{5, 5, 25, 15}, c.corner, kRed, c.outline, c.outlineWidth);
        SCOPED_TRACE(c.corner.cx);
        EXPECT_TRUE(Selection(canvas.dc()) == before);
        EXPECT_EQ(canvas.At(15, 10), kRed);
        EXPECT_EQ(Corners(canvas.Bounds(kWhite, false)), (std::vector<LONG>{5, 5, 25, 15}))
            << "the area, and nothing beyond it";
        EXPECT_EQ(canvas.At(5, 5), c.corner.cx > 0 ? kWhite : c.outline != CLR_INVALID ? kGreen : kRed);
        if (c.outline != CLR_INVALID) {
            EXPECT_EQ(canvas.At(15, 5 + c.outlineWidth - 1), kGreen);
        }
        EXPECT_GE(canvas.Count(kRed), c.leastFilled);
        EXPECT_LE(canvas.Count(kRed), c.mostFilled);
    }
}

TEST(DrawingBitmaps, BlackPixelsShowTheDestinationAtEverySize) {
    HBITMAP picture = ControlTests::SolidPicture(4, 4, kBlue, true);
    Canvas natural(10, 10), sized(10, 10), stretched(10, 10);
    for (Canvas* c : {&natural, &sized, &stretched}) c->Fill(kGreen);
    {
        Drawing a(nullptr), b(nullptr), c(nullptr);
        a.Attach(natural.dc());
        b.Attach(sized.dc());
        c.Attach(stretched.dc());
        DrawTransparentBitmap(a, 3, 2, 0, 0, picture);
        DrawTransparentBitmap(b, 3, 2, 4, 4, picture);
        DrawTransparentBitmap(c, 1, 1, 8, 8, picture);
    }
    EXPECT_EQ(natural.Count(kBlue), 4);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            bool centre = x >= 4 && x <= 5 && y >= 3 && y <= 4;
            ASSERT_EQ(natural.At(x, y), centre ? kBlue : kGreen) << x << "," << y;
        }
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(sized.At(x, y), natural.At(x, y)) << x << "," << y;
    EXPECT_EQ(stretched.Count(kBlue), 16);
    EXPECT_EQ(stretched.At(3, 3), kBlue);
    EXPECT_EQ(stretched.At(6, 6), kBlue);
    EXPECT_EQ(stretched.At(2, 2), kGreen);
    DeleteObject(picture);
}

TEST(DrawingBitmaps, ContextColoursOfAButtonDoNotLeakIntoThePicture) {
    // An owner-drawn button's context carries its parent's colours, white on red.
    HBITMAP picture = ControlTests::SolidPicture(4, 4, kBlue, true);
    Canvas canvas(6, 6);
    canvas.Fill(kGreen);
    SetTextColor(canvas.dc(), kWhite);
    SetBkColor(canvas.dc(), kRed);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.dc());
    DrawTransparentBitmap(drawing, 1, 1, 0, 0, picture);
    EXPECT_EQ(canvas.Count(kBlue), 4);
    EXPECT_EQ(canvas.Count(kGreen), 32);
    EXPECT_EQ(GetTextColor(canvas.dc()), kWhite);
    EXPECT_EQ(GetBkColor(canvas.dc()), kRed);
    DeleteObject(picture);
}

TEST(DrawingText, AlignsInItsRectangleInItsColourAndRestoresTheContext) {
    FontSpec font("Tahoma", 14);
    struct Case {
        int alignment;
        int inkFrom, inkTo;  // where the word may be
    } cases[] = {{kAlignLeft, 0, 60}, {kAlignRight, 140, 200}, {kAlignCentre, 70, 130}};
    for (const Case& c : cases) {
        Canvas canvas(200, 20);
        Drawing drawing(nullptr);
        drawing.Attach(canvas.dc());
        SetTextColor(canvas.dc(), kGreen);
        Selection before(canvas.dc());
        DrawText(drawing, 0, 0, 200, 20, "Hello", kRed, &font, c.alignment);
        EXPECT_TRUE(InkBetween(canvas, c.inkFrom, c.inkTo)) << c.alignment;
        EXPECT_FALSE(InkBetween(canvas, 0, c.inkFrom)) << c.alignment;
        EXPECT_FALSE(InkBetween(canvas, c.inkTo, 200)) << c.alignment;
        EXPECT_GT(canvas.Count(kRed), 0) << "solid ink in the requested colour";
        EXPECT_EQ(GetBkMode(canvas.dc()), TRANSPARENT);
        EXPECT_EQ(GetTextColor(canvas.dc()), kGreen);
        EXPECT_TRUE(Selection(canvas.dc()) == before);
    }
}

TEST(DrawingText, LongTextIsCutAfter1023Characters) {
    // 1023 narrow letters, then wide ones: the cut shows as ink that stops where the
    // narrow run ends.
    std::wstring text = std::wstring(1023, L'l') + std::wstring(977, L'M');
    FontSpec font("Arial", 16);
    Canvas measure(1, 1);
    HGDIOBJ previous = SelectObject(measure.dc(), font.GetFontHandle());
    SIZE narrowRun{}, one{};
    GetTextExtentPoint32W(measure.dc(), text.c_str(), 1023, &narrowRun);
    GetTextExtentPoint32W(measure.dc(), text.c_str(), 1, &one);
    SelectObject(measure.dc(), previous);

    Canvas canvas(narrowRun.cx + 60, 24);
    Drawing drawing(nullptr);
    drawing.Attach(canvas.dc());
    DrawTextWide(drawing, 0, 0, 0, 0, text, kBlack, &font, kAlignLeft);
    EXPECT_TRUE(InkBetween(canvas, narrowRun.cx - one.cx, narrowRun.cx)) << "character 1023 is drawn";
    EXPECT_FALSE(InkBetween(canvas, narrowRun.cx + 1, canvas.width())) << "character 1024 is not";
}

TEST(DrawingLifecycle, IdleDrawingPaintsNothingAndEndKeepsABorrowedContext) {
    Canvas canvas(20, 20);
    FontSpec font("Tahoma", 14);
    {
        Drawing idle(nullptr);
        FillRect(idle, 0, 0, 10, 10, kRed);
        FrameRect(idle, 0, 0, 10, 10, kRed);
        DrawText(idle, 0, 0, 20, 20, "x", kRed, nullptr, kAlignLeft);
        EXPECT_EQ(TextHeight(&font, idle), -1);
        idle.End();
    }
    Drawing drawing(nullptr);
    drawing.Attach(canvas.dc());
    drawing.End();
    drawing.End();
    EXPECT_EQ(drawing.dc, nullptr);
    EXPECT_FALSE(drawing.borrowedDc);
    // The context still belongs to its owner and still draws.
    Drawing again(nullptr);
    again.Attach(canvas.dc());
    FillRect(again, 0, 0, 5, 5, kBlue);
    EXPECT_EQ(canvas.Count(kBlue), 16);
}
