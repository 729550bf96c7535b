// Panels and cells in real windows: their styles, scroll bars, the colours they hand
// to the controls inside, and what a cell paints.
#include "CellControl.h"
#include "PaintedPixels.h"
#include "PanelChildren.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace NeloUtility;
using namespace ControlTests;

namespace {

std::vector<int> scrollDeltas;
void RecordScroll(GUIElement*, int delta) { scrollDeltas.push_back(delta); }

SCROLLINFO AllScrollInfo() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    return info;
}

// A white cell of 200 x 40 in the host, painted and copied out.
struct PaintedCell {
    explicit PaintedCell(GUIElement* host) : cell(host) {
        cell.MoveTo(10, 10);
        cell.SetSize(200, 40);
        cell.SetBackColor(kWhite);
    }
    // The first paint is the one of its creation in the shown host.
    void Paint(Canvas& canvas) {
        if (cell.created) {
            InvalidateRect(cell.window, nullptr, TRUE);
            UpdateWindow(cell.window);
        } else {
            cell.Create();
        }
        DrainMessages();
        canvas.CopyFrom(cell.window);
    }
    CellControl cell;
};

}  // namespace

TEST(PanelWindow, StylesFollowBorderAndKind) {
    Host host;
    struct Case {
        const char* name;
        bool cell, border, flatBorder;
        DWORD style, exStyle;
    } cases[] = {
        {"plain panel", false, false, false, 0x50010000, 0},
        {"panel with border", false, true, false, 0x50810000, WS_EX_CLIENTEDGE},
        {"flat border", false, true, true, 0x50810000, 0},
        {"cell", true, false, false, 0x50000000, 0},
    };
    for (const Case& c : cases) {
        PanelChildren panel(host.element());
        CellControl cell(host.element());
        PanelChildren& made = c.cell ? cell : panel;
        made.border = c.border;
        made.flatBorder = c.flatBorder;
        made.Create();
        ASSERT_NE(made.window, nullptr) << c.name;
        EXPECT_EQ(StyleOf(made.window), c.style) << c.name;
        EXPECT_EQ(ExStyleOf(made.window), c.exStyle) << c.name;
        EXPECT_EQ(GetParent(made.window), host.panel.window) << c.name;
        EXPECT_EQ(GetDlgCtrlID(made.window), made.commandId) << c.name;
        DestroyWindow(made.window);
    }
}

TEST(PanelScrolling, PageIsATenthOfTheRange) {
    Host host;
    PanelChildren panel(host.element());
    panel.verticalScrollBar = true;
    panel.horizontalScrollBar = true;
    panel.Create();
    for (int bar : {SB_VERT, SB_HORZ}) {
        SCROLLINFO info = AllScrollInfo();
        ASSERT_TRUE(GetScrollInfo(panel.window, bar, &info));
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, 100);
        EXPECT_EQ(info.nPage, 10u);
    }
    panel.SetScrollRange(0, 5);
    SCROLLINFO info = AllScrollInfo();
    GetScrollInfo(panel.window, SB_VERT, &info);
    EXPECT_EQ(info.nMax, 5);
    EXPECT_EQ(info.nPage, 0u);
}

TEST(PanelScrolling, RequestsFireTheRequestedDeltaAndOnlyWithABar) {
    Host host;
    PanelChildren plain(host.element()), scrolled(host.element());
    scrolled.verticalScrollBar = true;
    for (PanelChildren* p : {&plain, &scrolled}) {
        p->VerticalScrolled = RecordScroll;
        p->Create();
    }
    scrollDeltas.clear();
    const WPARAM wheelDown = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    SendMessageW(plain.window, WM_MOUSEWHEEL, wheelDown, 0);
    SendMessageW(plain.window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(scrollDeltas.empty()) << "no vertical bar, no scrolling";

    // Above the top: the position stays 0 but the owner hears of the request.
    SendMessageW(scrolled.window, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(GetScrollPos(scrolled.window, SB_VERT), 0);
    SendMessageW(scrolled.window, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(GetScrollPos(scrolled.window, SB_VERT), 10);
    SendMessageW(scrolled.window, WM_MOUSEWHEEL, wheelDown, 0);
    EXPECT_EQ(GetScrollPos(scrolled.window, SB_VERT), 20);
    EXPECT_EQ(scrollDeltas, (std::vector<int>{1, -10, -10}));
}

TEST(PanelColours, HandsOutOneBrushAtATimeInTheChildColours) {
    Host host;
    PanelChildren panel(host.element());
    panel.childBackColor = kBlue;
    panel.childTextColor = kRed;
    Canvas canvas(4, 4);

    HBRUSH first = panel.OnControlColor(canvas.dc());
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectW(first, sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, kBlue);
    EXPECT_EQ(GetBkColor(canvas.dc()), kBlue);
    EXPECT_EQ(GetTextColor(canvas.dc()), kRed);

    panel.childBackColor = static_cast<COLORREF>(-1);
    panel.backColor = kWhite;
    HBRUSH second = panel.OnControlColor(canvas.dc());
    EXPECT_EQ(GetObjectType(first), 0u) << "the previous brush is deleted";
    ASSERT_TRUE(GetObjectW(second, sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, kWhite) << "falls back to the panel's own colour";

    panel.backColor = static_cast<COLORREF>(-1);
    EXPECT_EQ(panel.OnControlColor(canvas.dc()), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(panel.childBrush, nullptr) << "the system's brush is not ours to delete";
    panel.ownColors = false;
    EXPECT_EQ(panel.OnControlColor(canvas.dc()), nullptr);
}

TEST(CellPainting, DefaultTextIsCentredBlackFourteenPixelTahoma) {
    Host host;
    PaintedCell painted(host.element());
    painted.cell.SetTextNarrow("Hello");
    Canvas canvas(200, 40);
    painted.Paint(canvas);

    RECT ink = canvas.Bounds(kWhite, false);
    ASSERT_LT(ink.left, ink.right) << "something is drawn";
    EXPECT_LE(std::abs(ink.left - (200 - ink.right)), 1) << "centred across";
    EXPECT_GT(canvas.Count(kBlack), 0);

    // The same word in a 14-pixel Tahoma of our own, its line starting at (40 - 14) / 2,
    // covers the same width and rows.
    Canvas reference(200, 40);
    HFONT tahoma = CreateFontW(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                               CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, 0, L"Tahoma");
    HGDIOBJ previous = SelectObject(reference.dc(), tahoma);
    SetBkMode(reference.dc(), TRANSPARENT);
    RECT area{0, 13, 200, 40};
    DrawTextW(reference.dc(), L"Hello", 5, &area, DT_CENTER);
    SelectObject(reference.dc(), previous);
    DeleteObject(tahoma);
    RECT expected = reference.Bounds(kWhite, false);
    EXPECT_EQ(ink.right - ink.left, expected.right - expected.left);
    EXPECT_EQ(ink.top, expected.top);
    EXPECT_EQ(ink.bottom, expected.bottom);
}

// A colour given after the cell was made covers the whole cell, to its last row and column.
TEST(CellPainting, ANewColourCoversTheWholeCell) {
    Host host;
    PaintedCell painted(host.element());
    Canvas canvas(200, 40);
    painted.Paint(canvas);
    painted.cell.SetBackColor(kRed);
    painted.Paint(canvas);
    EXPECT_EQ(canvas.Count(kRed), 200 * 40);
}

// Two lines: by default the first stands where a single line would, the second below it
// (the table's "Remaining cards"); centred lines move up by half a line (a hint).
TEST(CellPainting, SeveralLinesFollowTheFirstUnlessCentred) {
    Host host;
    const struct {
        const char* text;
        bool centred;
        int rise;  // pixels above the single line's ink
    } cases[] = {{"Hello", false, 0}, {"Hello\nHello", false, 0}, {"Hello\nHello", true, 7}};
    int singleTop = 0;
    for (const auto& c : cases) {
        PaintedCell painted(host.element());
        painted.cell.linesCentred = c.centred;
        painted.cell.SetTextNarrow(c.text);
        Canvas canvas(200, 40);
        painted.Paint(canvas);
        const int top = canvas.Bounds(kWhite, false).top;
        if (c.rise == 0 && !c.centred && singleTop == 0) singleTop = top;
        EXPECT_EQ(singleTop - c.rise, top) << c.text << (c.centred ? " centred" : "");
    }
}

TEST(CellPainting, PictureSitsByItsAlignment) {
    Host host;
    HBITMAP picture = SolidPicture(20, 10, kBlue);
    struct Case {
        int align, left;
    } cases[] = {{1, 200 - 20 - 3}, {2, (200 - 20) / 2}, {0, 3}, {7, 3}};
    for (const Case& c : cases) {
        PaintedCell painted(host.element());
        painted.cell.SetPicture(picture);
        painted.cell.pictureAlign = c.align;
        Canvas canvas(200, 40);
        painted.Paint(canvas);
        EXPECT_EQ(Corners(canvas.Bounds(kBlue)), (std::vector<LONG>{c.left, 15, c.left + 20, 25})) << c.align;
        DestroyWindow(painted.cell.window);
    }
    DeleteObject(picture);
}

TEST(CellPainting, MarkerSitsInTheBottomRightSquareOfTheTextHeight) {
    Host host;
    PaintedCell painted(host.element());
    painted.cell.marker = true;
    painted.cell.textColor = kRed;
    Canvas canvas(200, 40);
    painted.Paint(canvas);
    const int t = 14;
    RECT star = canvas.Bounds(kWhite, false);
    ASSERT_LT(star.left, star.right) << "the marker is drawn";
    EXPECT_GE(star.left, 200 - t);
    EXPECT_GE(star.top, 40 - t);
    EXPECT_GT(canvas.Count(kRed), 0);
}

TEST(CellPainting, SameTextStillRepaintsAndPaintedFires) {
    static int paints;
    paints = 0;
    Host host;
    PaintedCell painted(host.element());
    painted.cell.Painted = [](GUIElement*) { ++paints; };
    painted.cell.SetTextNarrow("7.5");
    Canvas canvas(200, 40);
    painted.Paint(canvas);
    const int before = paints;
    ASSERT_GT(before, 0);
    painted.cell.SetTextNarrow("7.5");
    RECT pending;
    EXPECT_TRUE(GetUpdateRect(painted.cell.window, &pending, FALSE));
    DrainMessages();
    EXPECT_GT(paints, before);
}
