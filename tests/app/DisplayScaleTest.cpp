// The table at the display scales players use. The tests of `AtScale` run at whatever
// scale this process has: at 100 % when CTest starts the program, and at 125, 150 and
// 200 % in copies of it that `EveryScale` starts after setting the prefix's LogPixels,
// which Wine reads when a process starts. A scale change while a round is on is sent as
// the system would send it.
#include "PaintedPixels.h"
#include "PlayDriver.h"

#include "DisplayScale.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace playdriver;

// Room for the table at 200 %.
const int relaunched = coretest::RunInsideVirtualDesktop(L"2048x1536");

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<LONG> Scaled(int x, int y, int w, int h, int dpi) {
    const int left = ToPixels(x, dpi), top = ToPixels(y, dpi);
    return {left, top, left + ToPixels(w, dpi), top + ToPixels(h, dpi)};
}

// Where the layout puts a handful of elements, in layout units (the logo's window takes
// its picture's 200 x 50), at this scale. A picture drawn for the density may be a pixel
// larger or smaller than the unit size scaled.
::testing::AssertionResult LaidOutAt(FormMain* form, int dpi) {
    RECT client;
    GetClientRect(form->window, &client);
    if (client.right != ToPixels(640, dpi) || client.bottom != ToPixels(480, dpi))
        return ::testing::AssertionFailure() << "client " << client.right << " x " << client.bottom;
    const std::pair<GUIElement*, std::vector<LONG>> places[] = {
        {form->logoImage, Scaled(9, 10, 200, 50, dpi)},
        {form->dealerCardImages[0], Scaled(5, 110, 63, 101, dpi)},
        {form->playerCardImages[7], Scaled(456, 270, 63, 101, dpi)},
        {form->dealerCaptionCell, Scaled(10, 78, 120, 28, dpi)},
        {form->infoButton, Scaled(535, 20, 100, 40, dpi)},
        {form->scoreCell, Scaled(415, 25, 80, 22, dpi)},
        {form->messageCell, Scaled(60, 385, 520, 35, dpi)},
        {form->startButton, Scaled(50, 435, 100, 40, dpi)},
        {form->stakeSlider, Scaled(490, 435, 100, 40, dpi)},
    };
    std::ostringstream wrong;
    for (const auto& [element, wanted] : places) {
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
    EXPECT_EQ(535, form->infoButton->x);  // the game's own numbers stay as they were
    EXPECT_EQ(100, form->infoButton->width);

    // Letters grow with the scale: "Dealer" in the large font is 14 pixels high at 100 %,
    // the small font's "Score" 8 (Liberation Sans bold 22 and Liberation Mono 14).
    const Screen screen(form);
    EXPECT_NEAR(ToPixels(14, dpi), screen.InkHeight(form->dealerCaptionCell, RGB(255, 255, 0)), 1);
    EXPECT_NEAR(ToPixels(8, dpi), screen.InkHeight(form->scoreCaptionCell, RGB(255, 255, 255)), 1);
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
    const int density = dpi == 96 ? 0 : dpi == 120 ? 1 : dpi == 144 ? 2 : dpi == 192 ? 4 : -1;
    HINSTANCE program = GetModuleHandleW(nullptr);
    for (int picture : {kCardBackPicture, CardPicture(10), CardPicture(38)}) {
        SCOPED_TRACE(picture);
        Image* place = form->playerCardImages[1];
        place->SetImage(picture);
        place->Show();
        const RECT shown = ClientRectOf(place->window);
        EXPECT_NEAR(ToPixels(63, dpi), shown.right - shown.left, 1);
        EXPECT_NEAR(ToPixels(101, dpi), shown.bottom - shown.top, 1);
        if (density < 0) continue;
        const int drawn = picture + kPictureDensityStep * density;
        const SIZE size = PictureSize(program, drawn);
        ASSERT_GT(size.cx, 0) << "the program has no picture drawn for this density";
        const std::vector<COLORREF> art = PictureAt(drawn, size.cx, size.cy);
        const Screen screen(form);
        EXPECT_TRUE(PixelsOf(screen.shot, shown) == art) << "not the picture as drawn";
        if (density == 4) {
            EXPECT_FALSE(PictureAt(picture, 126, 202) == art) << "the 100 % card doubled";
        }
    }
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
    GUIElement* const shown[] = {form->messageCell,   form->dealerPointsCell, form->playerPointsCell,
                                 form->remainingCell, form->scoreCell,        form->startButton,
                                 form->stakeButton};
    for (GUIElement* element : shown) seen << Text(element) << (Enabled(element) ? "+" : "-") << "|";
    for (const auto* row : {&form->dealerCardImages, &form->playerCardImages})
        for (Image* place : *row) seen << (IsWindowVisible(place->window) ? place->resourceId : 0) << ",";
    return seen.str();
}

// Moved between screens of 100 % and 200 % twenty times while a round is on: the table
// takes the suggested rectangle and is laid out anew each time, the round stays as it
// was, and no window-system object is left behind.
TEST_F(ScaleChange, InTheMiddleOfARoundKeepsTheRound) {
    DoDadu::StackDeck(form->round.cards, {6, 1, 2});
    Click(form->startButton);
    Click(form->getCardButton);
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
        GetObjectW(form->largeFont->GetFontHandle(), sizeof large, &large);
        EXPECT_EQ(ToPixels(22, dpi), large.lfHeight);
    }
    const GuiObjects after = CountGuiObjects();
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
    Click(form->stopButton);  // and the round plays on
    EXPECT_EQ(RoundPhase::DealerTurn, form->round.Phase());
}

// The copies of this program at 125, 150 and 200 %: each runs the tests of AtScale.
void SetPrefixDpi(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

TEST(EveryScale, TableRunsAtEachScaleOfThePrefix) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(L"GTEST_OUTPUT", nullptr);  // the copies write no report
    SetEnvironmentVariableW(L"GTEST_FILTER", L"AtScale.*");
    for (DWORD dpi : {120u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        SetPrefixDpi(dpi);
        SetEnvironmentVariableW(L"ZANDRO_EXPECTED_DPI", std::to_wstring(dpi).c_str());
        std::wstring commandLine = L"\"" + std::wstring(self) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION copy{};
        ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &copy));
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(copy.hProcess, 120000));
        DWORD code = 1;
        GetExitCodeProcess(copy.hProcess, &code);
        EXPECT_EQ(0u, code) << "the tests failed at this scale (their output is above)";
        CloseHandle(copy.hProcess);
        CloseHandle(copy.hThread);
    }
    SetPrefixDpi(96);  // the test prefix's own scale
    SetEnvironmentVariableW(L"GTEST_FILTER", nullptr);
}

}  // namespace
