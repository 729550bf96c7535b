// The table at the display scales players use. The tests of `AtScale` run at whatever
// scale this process has: at 100 % when CTest starts the program, and at 125, 150 and
// 200 % in copies of it that `EveryScale` starts after setting the prefix's LogPixels,
// which Wine reads when a process starts. A scale change while a round is on is sent as
// the system would send it.
#include "PaintedPixels.h"
#include "PlayDriver.h"

#include "DisplayScale.h"
#include "Form.h"
#include "FormAbout.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace playdriver;

// Room for the table at 200 %.
const wchar_t* const kDesktop = L"2048x1536";
const int relaunched = coretest::RunInsideVirtualDesktop(kDesktop);

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Where the layout puts a handful of elements at 96, 120, 144 and 192 DPI: left, top,
// right and bottom in pixels, each of a unit position and size rounded alone (the logo's
// window takes its picture's 200 x 50 units). A picture drawn for the density may be a
// pixel larger or smaller than the unit size scaled.
::testing::AssertionResult LaidOutAt(FormMain* form, int dpi) {
    const int column = dpi == 96 ? 0 : dpi == 120 ? 1 : dpi == 144 ? 2 : dpi == 192 ? 3 : -1;
    if (column < 0) return ::testing::AssertionFailure() << "no layout written down for " << dpi << " DPI";
    const LONG clients[][2] = {{640, 480}, {800, 600}, {960, 720}, {1280, 960}};
    RECT client;
    GetClientRect(form->window, &client);
    if (client.right != clients[column][0] || client.bottom != clients[column][1])
        return ::testing::AssertionFailure() << "client " << client.right << " x " << client.bottom;
    using Corners = std::vector<LONG>;
    const std::pair<GUIElement*, std::array<Corners, 4>> places[] = {
        {form->Layout().logoImage,
         {{{9, 10, 209, 60}, {11, 13, 261, 76}, {14, 15, 314, 90}, {18, 20, 418, 120}}}},
        {form->Layout().dealerCardImages[0],
         {{{5, 110, 68, 211}, {6, 138, 85, 264}, {8, 165, 103, 317}, {10, 220, 136, 422}}}},
        {form->Layout().playerCardImages[7],
         {{{456, 270, 519, 371}, {570, 338, 649, 464}, {684, 405, 779, 557}, {912, 540, 1038, 742}}}},
        {form->Layout().dealerCaptionCell,
         {{{10, 78, 130, 106}, {13, 98, 163, 133}, {15, 117, 195, 159}, {20, 156, 260, 212}}}},
        {form->Layout().infoButton,
         {{{535, 20, 635, 60}, {669, 25, 794, 75}, {803, 30, 953, 90}, {1070, 40, 1270, 120}}}},
        {form->Layout().scoreCell,
         {{{415, 25, 495, 47}, {519, 31, 619, 59}, {623, 38, 743, 71}, {830, 50, 990, 94}}}},
        {form->Layout().messageCell,
         {{{60, 385, 580, 420}, {75, 481, 725, 525}, {90, 578, 870, 631}, {120, 770, 1160, 840}}}},
        {form->Layout().startButton,
         {{{50, 435, 150, 475}, {63, 544, 188, 594}, {75, 653, 225, 713}, {100, 870, 300, 950}}}},
        {form->Layout().stakeSlider,
         {{{490, 435, 590, 475}, {613, 544, 738, 594}, {735, 653, 885, 713}, {980, 870, 1180, 950}}}},
    };
    std::ostringstream wrong;
    for (const auto& [element, corners] : places) {
        const Corners& wanted = corners[static_cast<size_t>(column)];
        std::vector<LONG> seen = ControlTests::Corners(ClientRectOf(element->window));
        const bool picture = element->kind == "image";
        for (size_t edge : {2u, 3u})
            if (picture && std::abs(seen[edge] - wanted[edge]) <= 1) seen[edge] = wanted[edge];
        if (seen != wanted)
            wrong << element->kind << " " << Text(element) << " at " << seen[0] << "," << seen[1] << " to "
                  << seen[2] << "," << seen[3] << "; ";
    }
    if (wrong.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong.str();
}

// The client area as the screen shows it now.
class Screen {
public:
    explicit Screen(FormMain* form) : shot(ToPixels(640, form->dpi), ToPixels(480, form->dpi)) {
        coretest::Pump(150);
        shot.CopyFrom(form->window);
    }
    // The height of the ink of this colour inside an element.
    int InkHeight(GUIElement* element, COLORREF ink) const {
        const RECT ink_box = shot.Bounds(ink, true, ClientRectOf(element->window));
        return ink_box.bottom - ink_box.top;
    }
    ControlTests::Canvas shot;
};

class AtScale : public FormTest {
protected:
    AtScale() : FormTest("Zandro++ at scale") {}
};

// The scale a copy started by EveryScale must run at; 0 in the program CTest starts.
int ExpectedDpi() {
    wchar_t value[16] = {};
    return GetEnvironmentVariableW(L"ZANDRO_EXPECTED_DPI", value, 16) > 0 ? _wtoi(value) : 0;
}

TEST_F(AtScale, TableKeepsItsUnitsAndShowsThemAtTheScreensScale) {
    const int dpi = form->dpi;
    SCOPED_TRACE(dpi);
    EXPECT_EQ(SystemDpi(), dpi);
    if (ExpectedDpi() != 0) {
        ASSERT_EQ(ExpectedDpi(), dpi) << "the prefix's LogPixels was not taken";
    }
    EXPECT_TRUE(LaidOutAt(form, dpi));
    EXPECT_EQ(535, form->Layout().infoButton->x);  // the game's own numbers stay as they were
    EXPECT_EQ(100, form->Layout().infoButton->width);

    // Letters grow with the scale: "Dealer" in the large font is 14 pixels high at 100 %,
    // the small font's "Score" 8 (Liberation Sans bold 22 and Liberation Mono 14).
    const Screen screen(form);
    EXPECT_NEAR(ToPixels(14, dpi), screen.InkHeight(form->Layout().dealerCaptionCell, RGB(255, 255, 0)), 1);
    EXPECT_NEAR(ToPixels(8, dpi), screen.InkHeight(form->Layout().scoreCaptionCell, RGB(255, 255, 255)), 1);
}

bool Inside(RECT inner, RECT outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

BOOL CALLBACK NoteChildOutside(HWND child, LPARAM outside) {
    RECT client{};
    GetClientRect(GetParent(child), &client);
    if (IsWindowVisible(child) && !Inside(ClientRectOf(child), client)) ++*reinterpret_cast<int*>(outside);
    return TRUE;
}

// The table on the work area of its screen, this desktop's or the one EveryScale chose
// (ZANDRO_SCREEN): where it fits it is laid out as ever; where it does not, the whole table
// is smaller in its own proportions and centred there, with every control inside it.
TEST_F(AtScale, TableShowsWholeOnTheWorkArea) {
    const int dpi = form->dpi;
    if (ExpectedDpi() != 0) {
        ASSERT_EQ(ExpectedDpi(), dpi) << "the prefix's LogPixels was not taken";
    }
    const RECT area = WorkAreaOf(form->window);
    wchar_t screen[32] = {};
    if (GetEnvironmentVariableW(L"ZANDRO_SCREEN", screen, 32) > 0) {
        ASSERT_EQ(std::wstring(screen),
                  std::to_wstring(area.right - area.left) + L"x" + std::to_wstring(area.bottom - area.top))
            << "not on the screen asked for";
    }
    RECT outer{}, client{};
    GetWindowRect(form->window, &outer);
    GetClientRect(form->window, &client);
    const SIZE frame{outer.right - outer.left - client.right, outer.bottom - outer.top - client.bottom};
    const bool fits = frame.cx + ToPixels(kTableWidth, dpi) <= area.right - area.left &&
                      frame.cy + ToPixels(kTableHeight, dpi) <= area.bottom - area.top;
    SCOPED_TRACE(fits ? "fits" : "too large");
    EXPECT_TRUE(Inside(outer, area));
    int outside = 0;
    EnumChildWindows(form->window, NoteChildOutside, reinterpret_cast<LPARAM>(&outside));
    EXPECT_EQ(0, outside) << "controls beyond the client area";
    if (fits) {
        EXPECT_EQ(0, form->layoutDpi);
        EXPECT_EQ(ToPixels(kTableWidth, dpi), client.right);
        EXPECT_EQ(ToPixels(kTableHeight, dpi), client.bottom);
        return;
    }
    EXPECT_LT(form->layoutDpi, dpi);
    EXPECT_NEAR(client.right * kTableHeight, client.bottom * kTableWidth, kTableWidth) << "proportions";
    EXPECT_LE(std::abs((outer.top - area.top) - (area.bottom - outer.bottom)), 1) << "centred";
}

std::vector<COLORREF> PixelsOf(const ControlTests::Canvas& shot, RECT area) {
    std::vector<COLORREF> colours;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) colours.push_back(shot.At(x, y));
    return colours;
}

// A bitmap resource drawn at this size, each of its pixels repeated as needed.
std::vector<COLORREF> PictureAt(int picture, int width, int height) {
    auto bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(picture),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const SIZE own = PictureSize(GetModuleHandleW(nullptr), picture);
    ControlTests::Canvas canvas(width, height);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(source, bitmap);
    SetStretchBltMode(canvas.dc(), COLORONCOLOR);
    StretchBlt(canvas.dc(), 0, 0, width, height, source, 0, 0, own.cx, own.cy, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
    return PixelsOf(canvas, canvas.Whole());
}

// A card at the screen's density is the picture drawn for it, shown as it is: at 200 %
// that is neither the 100 % card doubled nor a smoothed one.
TEST_F(AtScale, CardsShowThePictureDrawnForTheScreensDensity) {
    const int dpi = form->dpi;
    const std::vector<int> percents = {IDB_DENSITY_PERCENTS};
    int density = -1;  // the picture drawn for exactly this scale, if any
    for (size_t n = 0; n < percents.size(); ++n)
        if (percents[n] * 96 == dpi * 100) density = static_cast<int>(n);
    HINSTANCE program = GetModuleHandleW(nullptr);
    for (int picture : {kCardBackPicture, CardPicture(10), CardPicture(38)}) {
        SCOPED_TRACE(picture);
        Image* place = form->Layout().playerCardImages[1];
        place->SetImage(picture);
        place->Show();
        const RECT shown = ClientRectOf(place->window);
        EXPECT_NEAR(ToPixels(63, dpi), shown.right - shown.left, 1);
        EXPECT_NEAR(ToPixels(101, dpi), shown.bottom - shown.top, 1);
        if (density < 0) continue;
        const int drawn = picture + IDB_DENSITY_STEP * density;
        const SIZE size = PictureSize(program, drawn);
        ASSERT_GT(size.cx, 0) << "the program has no picture drawn for this density";
        const std::vector<COLORREF> art = PictureAt(drawn, size.cx, size.cy);
        const Screen screen(form);
        EXPECT_TRUE(PixelsOf(screen.shot, shown) == art) << "not the picture as drawn";
        if (dpi == 192) {
            EXPECT_FALSE(PictureAt(picture, 126, 202) == art) << "the 100 % card doubled";
        }
    }
}

RECT ClientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

// A window's client area as the screen shows it now.
struct WindowShot : ControlTests::Canvas {
    explicit WindowShot(HWND window) : Canvas(ClientOf(window).right, ClientOf(window).bottom) {
        coretest::Pump(150);
        CopyFrom(window);
    }
    bool Dark(int x, int y) const {
        const COLORREF c = At(x, y);
        return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
    }
    // The runs of pixels unlike the top-left corner down one column, from the top.
    std::vector<int> RunsDown(int x) const {
        std::vector<int> runs;
        for (int y = 0, run = 0; y <= height(); ++y) {
            if (y < height() && At(x, y) != At(0, 0)) {
                ++run;
            } else if (run > 0) {
                runs.push_back(run);
                run = 0;
            }
        }
        return runs;
    }
};

// The about box's OK caption and the stake slider's thumb and track as the screen shows
// them: at 100 % as they always were, above it grown with the scale.
TEST_F(AtScale, AboutOkAndStakeSliderGrowWithTheScale) {
    const int dpi = form->dpi;
    const double scale = dpi / 96.0;
    SCOPED_TRACE(dpi);

    // The caption: the columns holding dark ink in a band across the middle, inside the
    // frame and the focus mark.
    Click(form->Layout().infoButton);
    ASSERT_NE(form->AboutForm(), nullptr);
    const WindowShot ok(form->AboutForm()->okButton->window);
    const int inset = ToPixels(8, dpi);
    int first = ok.width(), last = -1;
    for (int y = ok.height() / 2 - ToPixels(3, dpi); y <= ok.height() / 2 + ToPixels(3, dpi); ++y)
        for (int x = inset; x < ok.width() - inset; ++x)
            if (ok.Dark(x, y)) first = std::min(first, x), last = std::max(last, x);
    const int caption = last - first + 1;
    PostMessageW(form->AboutForm()->window, WM_SYSCOMMAND, SC_CLOSE, 0);
    coretest::Pump(50);

    // The thumb (at the left end): the columns as tall as its longest; the track: the
    // first run down a column at three quarters of the slider.
    const WindowShot slider(form->Layout().stakeSlider->window);
    int thumbLength = 0, thumbWidth = 0;
    std::vector<int> longest(slider.width());
    for (int x = 0; x < slider.width(); ++x) {
        const std::vector<int> runs = slider.RunsDown(x);
        longest[x] = runs.empty() ? 0 : *std::max_element(runs.begin(), runs.end());
        thumbLength = std::max(thumbLength, longest[x]);
    }
    for (int x = 0; x < slider.width(); ++x) thumbWidth += longest[x] > thumbLength / 2;
    const std::vector<int> track = slider.RunsDown(slider.width() * 3 / 4);
    ASSERT_FALSE(track.empty());

    // At 100 %: "OK" 15 pixels wide, the thumb 11 x 19, the track 4 thick.
    if (dpi == 96) {
        EXPECT_EQ(15, caption);
        EXPECT_EQ(11, thumbWidth);
        EXPECT_EQ(19, thumbLength);
        EXPECT_EQ(4, track[0]);
    }
    EXPECT_GE(caption, 15 * scale * 0.85) << "the caption in a face that grows";
    EXPECT_NEAR(thumbWidth, 11 * scale, 11 * scale * 0.15);
    EXPECT_NEAR(thumbLength, 19 * scale, 19 * scale * 0.15);
    EXPECT_NEAR(track[0], 4 * scale, 1);
}

class ScaleChange : public FormTest {
protected:
    ScaleChange() : FormTest("Zandro++ moved") {}
};

// What the player sees of the round: phase, score, stake, texts, cards and controls.
std::string RoundOnTable(FormMain* form) {
    std::ostringstream seen;
    seen << static_cast<int>(form->round.Phase()) << " " << form->round.Score() << " "
         << form->round.CurrentStake() << " ";
    GUIElement* const shown[] = {form->Layout().messageCell,      form->Layout().dealerPointsCell,
                                 form->Layout().playerPointsCell, form->Layout().remainingCell,
                                 form->Layout().scoreCell,        form->Layout().startButton,
                                 form->Layout().stakeButton};
    for (GUIElement* element : shown) seen << Text(element) << (Enabled(element) ? "+" : "-") << "|";
    for (const auto* row : {&form->Layout().dealerCardImages, &form->Layout().playerCardImages})
        for (Image* place : *row) seen << (IsWindowVisible(place->window) ? place->resourceId : 0) << ",";
    return seen.str();
}

// Moved between screens of 100 % and 200 % twenty times while a round is on: the table
// takes the suggested rectangle and is laid out anew each time, the round stays as it
// was, and no window-system object is left behind.
TEST_F(ScaleChange, InTheMiddleOfARoundKeepsTheRound) {
    DoDadu::StackDeck(form->round.cards, {6, 1, 2});
    Click(form->Layout().startButton);
    Click(form->Layout().getCardButton);
    coretest::Pump(50);
    ASSERT_EQ(RoundPhase::PlayerTurn, form->round.Phase());
    const int home = form->dpi;
    const std::string round = RoundOnTable(form);
    // The first change there and back makes what the system caches per scale.
    constexpr int kWarmUp = 2;
    GuiObjects before;
    for (int change = 1; change <= kWarmUp + 20; ++change) {
        if (change == kWarmUp + 1) before = CountGuiObjects();
        const int dpi = change % 2 == 1 ? 2 * home : home;
        SCOPED_TRACE(dpi);
        RECT outer, client;
        GetWindowRect(form->window, &outer);
        GetClientRect(form->window, &client);
        const RECT suggested{outer.left, outer.top,
                             outer.left + (outer.right - outer.left - client.right) + ToPixels(640, dpi),
                             outer.top + (outer.bottom - outer.top - client.bottom) + ToPixels(480, dpi)};
        SendMessageW(form->window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        coretest::Pump();
        ASSERT_EQ(dpi, form->dpi);
        ASSERT_TRUE(LaidOutAt(form, dpi));
        ASSERT_EQ(round, RoundOnTable(form));
        LOGFONTW large{};
        GetObjectW(form->Layout().largeFont->GetFontHandle(), sizeof large, &large);
        EXPECT_EQ(ToPixels(22, dpi), large.lfHeight);
    }
    const GuiObjects after = CountGuiObjects();
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
    Click(form->Layout().stopButton);  // and the round plays on
    EXPECT_EQ(RoundPhase::DealerTurn, form->round.Phase());
}

// The copies of this program at 125, 150 and 200 %: each runs the tests of AtScale. At
// 175 and 200 % on a 1920 x 1080 screen, and at 200 % on that screen less a taskbar, the
// table shows whole.
void SetPrefixDpi(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

TEST(EveryScale, TableRunsAtEachScaleOfThePrefix) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring commandLine = L"\"" + std::wstring(self) + L"\"";
    SetEnvironmentVariableW(L"GTEST_OUTPUT", nullptr);  // the copies write no report
    const struct {
        DWORD dpi;
        const wchar_t* screen;  // this desktop's for the tests of AtScale
    } copies[] = {{120, kDesktop},     {144, kDesktop},     {192, kDesktop},
                  {168, L"1920x1080"}, {192, L"1920x1080"}, {192, L"1920x984"}};
    for (const auto& copy : copies) {
        SCOPED_TRACE(copy.dpi);
        SCOPED_TRACE(Narrow(copy.screen));
        const bool ownScreen = copy.screen != kDesktop;
        SetPrefixDpi(copy.dpi);
        SetEnvironmentVariableW(L"ZANDRO_EXPECTED_DPI", std::to_wstring(copy.dpi).c_str());
        SetEnvironmentVariableW(L"ZANDRO_SCREEN", ownScreen ? copy.screen : nullptr);
        SetEnvironmentVariableW(L"GTEST_FILTER",
                                ownScreen ? L"AtScale.TableShowsWholeOnTheWorkArea" : L"AtScale.*");
        EXPECT_EQ(0, coretest::RunInDesktop(copy.screen, commandLine))
            << "the tests failed at this scale (their output is above)";
    }
    SetPrefixDpi(96);  // the test prefix's own scale
    SetEnvironmentVariableW(L"ZANDRO_SCREEN", nullptr);
    SetEnvironmentVariableW(L"GTEST_FILTER", nullptr);
}

}  // namespace
