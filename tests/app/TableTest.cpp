// The real main form in this process: its layout right after start, the colours of its
// controls, and whole rounds played by the messages that clicks produce, with the
// dealer's turn on the real 30 ms timer.
#include "PaintedPixels.h"
#include "PlayDriver.h"

#include "ContrastTheme.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace playdriver;

const int relaunched = coretest::RunInsideVirtualDesktop();

// Dispatches messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        coretest::Pump(10);
    }
    return true;
}

// A click and the messages it causes.
void Press(Button* button) {
    Click(button);
    coretest::Pump();
}

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The dealer plays on the real 30 ms timer and local time.
class Table : public FormTest {
protected:
    Table() : FormTest("Zandro++ test", true) {}

    // The next round deals these cards: the dealer's covered card, the player's, then
    // the rest in order.
    void StackDeck(const std::vector<int>& top) { DoDadu::StackDeck(form->round.cards, top); }
};

TEST_F(Table, StartsIdleWithEveryElementInPlace) {
    EXPECT_EQ(RoundPhase::Idle, form->round.Phase());
    EXPECT_TRUE(ControlsMatchPhase(form));
    EXPECT_EQ(Grouped(500), Text(form->Layout().stakeButton));  // the stake, not "PUNTO"
    EXPECT_EQ(Grouped(50000), Text(form->Layout().scoreCell));
    EXPECT_EQ("", Text(form->Layout().messageCell));
    EXPECT_EQ("Zandro++ test", Text(form));

    // Two rows of eight backs; the covered card stands apart from the others.
    const int xs[] = {5, 78, 141, 204, 267, 330, 393, 456};
    for (int i = 0; i < kCardPlaces; ++i) {
        for (auto [place, y] : {std::pair{form->Layout().dealerCardImages[i], 110},
                                std::pair{form->Layout().playerCardImages[i], 270}}) {
            SCOPED_TRACE(i);
            RECT r = ClientRectOf(place->window);
            EXPECT_EQ(xs[i], r.left);
            EXPECT_EQ(y, r.top);
            EXPECT_EQ(63, r.right - r.left);
            EXPECT_EQ(101, r.bottom - r.top);
            EXPECT_TRUE(IsWindowVisible(place->window));
            EXPECT_EQ(kCardBackPicture, place->resourceId);
        }
    }

    // The logo's picture window takes the size of its 200 x 50 bitmap.
    EXPECT_EQ(200, form->Layout().logoImage->width);
    EXPECT_EQ(60, form->Layout().logoImage->height);
    struct Place {
        GUIElement* element;
        int x, y, w, h;
    };
    const Place places[] = {
        {form->Layout().logoImage, 9, 10, 200, 50},
        {form->Layout().dealerCaptionCell, 10, 78, 120, 28},
        {form->Layout().dealerPointsCell, 140, 78, 50, 28},
        {form->Layout().playerCaptionCell, 10, 238, 120, 28},
        {form->Layout().playerPointsCell, 140, 238, 50, 28},
        {form->Layout().infoButton, 535, 20, 100, 40},
        {form->Layout().exitButton, 535, 70, 100, 40},
        {form->Layout().remainingCaptionCell, 535, 200, 100, 55},
        {form->Layout().remainingCell, 535, 256, 100, 55},
        {form->Layout().messageCell, 60, 385, 520, 35},
        {form->Layout().scoreCaptionCell, 325, 25, 90, 22},
        {form->Layout().scoreCell, 415, 25, 80, 22},
        {form->Layout().startButton, 50, 435, 100, 40},
        {form->Layout().stopButton, 160, 435, 100, 40},
        {form->Layout().getCardButton, 270, 435, 100, 40},
        {form->Layout().stakeButton, 380, 435, 100, 40},
        {form->Layout().stakeSlider, 490, 435, 100, 40},
    };
    RECT client;
    GetClientRect(form->window, &client);
    EXPECT_EQ(640, client.right);
    EXPECT_EQ(480, client.bottom);
    for (const Place& p : places) {
        SCOPED_TRACE(p.element->kind + " " + Text(p.element));
        RECT r = ClientRectOf(p.element->window);
        EXPECT_EQ(p.x, r.left);
        EXPECT_EQ(p.y, r.top);
        EXPECT_EQ(p.w, r.right - r.left);
        EXPECT_EQ(p.h, r.bottom - r.top);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 640 && r.bottom <= 480);
    }
}

// The paints each window of this thread gets, whether sent or taken from the queue.
std::map<HWND, int> paints;

LRESULT CALLBACK CountSentPaint(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_PAINT) ++paints[sent->hwnd];
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CountQueuedPaint(int code, WPARAM wParam, LPARAM lParam) {
    const auto* queued = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && queued->message == WM_PAINT) ++paints[queued->hwnd];
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The window takes its final size before it first shows, so the table comes up with one
// paint of each window rather than a second one after the window has grown.
TEST(TableStart, EveryWindowIsPaintedOnceAtItsFinalSize) {
    WriteSetting("Zandro", "Dati", "Score", "50000");
    ManualClock clock;
    paints.clear();
    DWORD thread = GetCurrentThreadId();
    HHOOK sent = SetWindowsHookExW(WH_CALLWNDPROC, CountSentPaint, nullptr, thread);
    HHOOK queued = SetWindowsHookExW(WH_GETMESSAGE, CountQueuedPaint, nullptr, thread);
    auto* form = new FormMain(GetModuleHandleW(nullptr), "painted once", clock);
    coretest::Pump(200);
    UnhookWindowsHookEx(sent);
    UnhookWindowsHookEx(queued);

    RECT client{};
    GetClientRect(form->window, &client);
    EXPECT_EQ(640, client.right);
    EXPECT_EQ(480, client.bottom);
    EXPECT_EQ(1, paints[form->window]);
    EXPECT_GE(paints.size(), 30u) << "the table's windows are painted";
    for (const auto& [window, count] : paints) EXPECT_EQ(1, count) << ClassOf(window) << " " << window;
    DeleteElement(form);
    coretest::Pump();
}

// An icon's colour pixels, 32 bits each, with its width in front; empty without a picture.
std::vector<DWORD> IconPixels(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight + 1);
    pixels[0] = static_cast<DWORD>(bitmap.bmWidth);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), pixels.data() + 1, &format,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

TEST_F(Table, WindowIsFixedInSizeWithIcon) {
    LONG style = GetWindowLongW(form->window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    // Both icons are the game's own, each the resource's picture drawn for its size.
    struct Wanted {
        const char* name;
        WPARAM which;
        int size;
    };
    for (Wanted w : {Wanted{"small", ICON_SMALL, GetSystemMetrics(SM_CXSMICON)},
                     Wanted{"big", ICON_BIG, GetSystemMetrics(SM_CXICON)}}) {
        SCOPED_TRACE(w.name);
        auto shown = reinterpret_cast<HICON>(SendMessageW(form->window, WM_GETICON, w.which, 0));
        auto game = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1005), IMAGE_ICON, w.size, w.size, 0));
        const std::vector<DWORD> pixels = IconPixels(game);
        ASSERT_FALSE(pixels.empty());
        EXPECT_EQ(static_cast<DWORD>(w.size), pixels[0]);
        EXPECT_TRUE(IconPixels(shown) == pixels) << "the window shows another picture";
        DestroyIcon(game);
    }
}

// START is red with white text while it can be pressed, and left to the default colours
// while the dealer plays; every other control is grey. One brush at a time.
TEST_F(Table, ControlColoursFollowTheStartButton) {
    HDC startDc = GetDC(form->Layout().startButton->window);
    HBRUSH red = form->OnControlColor(startDc);
    ASSERT_NE(nullptr, red);
    EXPECT_EQ(RGB(255, 0, 0), GetBkColor(startDc));
    EXPECT_EQ(RGB(255, 255, 255), GetTextColor(startDc));

    HDC stopDc = GetDC(form->Layout().stopButton->window);
    HBRUSH grey = form->OnControlColor(stopDc);
    ASSERT_NE(nullptr, grey);
    EXPECT_EQ(RGB(220, 220, 220), GetBkColor(stopDc));
    EXPECT_EQ(RGB(0, 0, 0), GetTextColor(stopDc));
    EXPECT_EQ(0u, GetObjectType(red)) << "the previous brush must be deleted";

    form->Layout().startButton->SetEnabled(false);
    EXPECT_EQ(nullptr, form->OnControlColor(startDc));
    EXPECT_EQ(0u, GetObjectType(grey));
    EXPECT_EQ(nullptr, form->LastControlBrush());
    form->Layout().startButton->SetEnabled(true);

    ReleaseDC(form->Layout().stopButton->window, stopDc);
    ReleaseDC(form->Layout().startButton->window, startDc);
}

// How each text of the table looks: the colour behind it, its own colour, where it sits
// and which font draws it, on the screen's picture of the table at three moments of a
// round. START is red while it can be pressed and grey while the dealer plays.
enum class Moment { Idle, DealerTurn, RoundOver };
enum class Align { Left, Centre };
enum class Face { Large, Small };  // Arial 22 bold, or the form's Lucida Console 14

struct Look {
    Moment when;
    GUIElement* element;
    COLORREF back;
    COLORREF ink;
    Align align;
    Face face;
    bool framed;
};

std::string Rgb(COLORREF c) {
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
           std::to_string(GetBValue(c));
}

// The text is told by the pixels of exactly its colour; the large font's first line is
// at least 13 pixels high, the small one's at most 11. A frame shows in the border.
::testing::AssertionResult LooksRight(const ControlTests::Canvas& shot, const Look& look) {
    const RECT r = ClientRectOf(look.element->window);
    const RECT inner{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
    std::ostringstream wrong;
    if (shot.At(inner.left, inner.top) != look.back)
        wrong << "background " << Rgb(shot.At(inner.left, inner.top)) << "; ";
    bool framed = false;
    for (int x = r.left; x < inner.left; ++x) {
        const COLORREF edge = shot.At(x, (r.top + r.bottom) / 2);
        framed = framed || (edge != look.back && edge != ControlTests::kGreen);
    }
    if (look.framed && !framed) wrong << "no frame; ";
    const RECT ink = shot.Bounds(look.ink, true, inner);
    if (ink.left >= ink.right)
        return ::testing::AssertionFailure() << wrong.str() << "no text in " << Rgb(look.ink);
    const bool centred = std::abs((ink.left + ink.right) - (r.left + r.right)) <= 4;
    if (look.align == Align::Centre ? !centred : ink.left - r.left > 3)
        wrong << "text at " << ink.left << ".." << ink.right << " in " << r.left << ".." << r.right << "; ";
    const RECT text = shot.Bounds(look.back, false, inner);  // smoothed edges included
    int line = text.top;
    while (line < text.bottom &&
           shot.Bounds(look.back, false, RECT{text.left, line, text.right, line + 1}).left < text.right)
        ++line;
    if (look.face == Face::Large ? line - text.top < 13 : line - text.top > 11)
        wrong << "first line " << line - text.top << " pixels high; ";
    if (wrong.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong.str();
}

class TableLook : public Table {
protected:
    // The client area as the screen shows it now.
    void Shoot() {
        coretest::Pump(100);
        POINT origin{0, 0};
        ClientToScreen(form->window, &origin);
        HDC screen = GetDC(nullptr);
        BitBlt(shot.dc(), 0, 0, shot.width(), shot.height(), screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }

    ControlTests::Canvas shot{640, 480};
};

TEST_F(TableLook, EveryTextInItsColourFontAndPlace) {
    using namespace ControlTests;
    const COLORREF yellow = RGB(255, 255, 0), grey = RGB(220, 220, 220);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), greyText = Button::kDisabledText;
    const Align left = Align::Left, centre = Align::Centre;
    const Face large = Face::Large, small = Face::Small;
    const Look looks[] = {
        {Moment::Idle, form->Layout().startButton, kRed, kWhite, centre, small, false},
        {Moment::DealerTurn, form->Layout().dealerCaptionCell, kGreen, yellow, left, large, false},
        {Moment::DealerTurn, form->Layout().dealerPointsCell, kGreen, yellow, left, large, false},
        {Moment::DealerTurn, form->Layout().playerCaptionCell, kGreen, yellow, left, large, false},
        {Moment::DealerTurn, form->Layout().playerPointsCell, kGreen, yellow, left, large, false},
        {Moment::DealerTurn, form->Layout().remainingCaptionCell, kGreen, kWhite, centre, small, false},
        {Moment::DealerTurn, form->Layout().remainingCell, kGreen, yellow, centre, large, false},
        {Moment::DealerTurn, form->Layout().messageCell, kGreen, kWhite, centre, large, false},
        {Moment::DealerTurn, form->Layout().scoreCaptionCell, kGreen, kWhite, left, small, false},
        {Moment::DealerTurn, form->Layout().scoreCell, face, kBlack, centre, small, true},
        {Moment::DealerTurn, form->Layout().infoButton, grey, kBlack, centre, small, false},
        {Moment::DealerTurn, form->Layout().stopButton, grey, greyText, centre, small, false},
        {Moment::DealerTurn, form->Layout().startButton, face, greyText, centre, small, false},
        {Moment::RoundOver, form->Layout().startButton, kRed, kWhite, centre, small, false},
    };
    StackDeck({6, 7});
    for (Moment moment : {Moment::Idle, Moment::DealerTurn, Moment::RoundOver}) {
        if (moment == Moment::DealerTurn) {
            Press(form->Layout().startButton);
            Press(form->Layout().stopButton);
        }
        if (moment == Moment::RoundOver) {  // the dealer stops, and loses to the 7
            ASSERT_TRUE(PumpUntil([&] { return Text(form->Layout().messageCell) == "You won!"; }, 8000));
        }
        ASSERT_EQ(moment == Moment::DealerTurn, form->round.RoundActive());
        Shoot();
        for (const Look& look : looks) {
            if (look.when != moment) continue;
            EXPECT_TRUE(LooksRight(shot, look))
                << Text(look.element) << " at moment " << static_cast<int>(moment);
        }
    }
}

// A dark scheme for this process' session, in colours no picture of the table holds; the
// old colours come back at the end.
struct DarkScheme {
    static constexpr int kIndices[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                       COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_GRAYTEXT};
    const COLORREF dark[6] = {RGB(16, 0, 48),     RGB(64, 255, 255), RGB(48, 0, 16),
                              RGB(255, 128, 255), RGB(0, 255, 96),   RGB(160, 160, 96)};
    COLORREF old[6] = {};
    DarkScheme() {
        for (int i = 0; i < 6; ++i) old[i] = GetSysColor(kIndices[i]);
        SetSysColors(6, kIndices, dark);
    }
    ~DarkScheme() { SetSysColors(6, kIndices, old); }
};

// What Windows says of its contrast theme, as the test wants it.
bool windowsContrast = false;

// The Options item of the switch, found by its caption; 0 when absent.
UINT ContrastItem(HWND window) {
    HMENU options = GetSubMenu(GetMenu(window), 1);
    for (int i = 0; i < GetMenuItemCount(options); ++i) {
        wchar_t caption[64] = {};
        GetMenuStringW(options, static_cast<UINT>(i), caption, 63, MF_BYPOSITION);
        if (std::wstring(caption) == L"High &contrast") return GetMenuItemID(options, i);
    }
    return 0;
}

class Contrast : public TableLook {
protected:
    void SetUp() override {
        WriteSetting("Zandro", "Dati", "Contrast", "");
        SetSystemContrastQuery([] { return windowsContrast; });
        TableLook::SetUp();
    }
    void TearDown() override {
        TableLook::TearDown();
        WriteSetting("Zandro", "Dati", "Contrast", "");
        windowsContrast = false;
        SetSystemContrastQuery(nullptr);
        SetContrastChoice(ContrastChoice::FollowSystem);
    }
    DarkScheme scheme;
};

// The switch on the menu and Windows' own theme: with either, the table's felt, its texts and
// buttons take the system's colours at once and the cards are framed in the text colour;
// without, the table is as it always was. Going there and back leaves no GDI object behind.
TEST_F(Contrast, SwitchAndWindowsThemeRepaintTheTableInTheSystemsColours) {
    using namespace ControlTests;
    const COLORREF window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), faceText = GetSysColor(COLOR_BTNTEXT);
    const auto pick = [this] { SendMessageW(form->window, WM_COMMAND, ContrastItem(form->window), 0); };
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* stored;
        bool on;
    };
    const Step steps[] = {
        {"Options > High contrast", pick, "1", true},
        {"picked again", pick, "0", false},
        {"a start over no choice while Windows' theme is on",
         [&] {
             WriteSetting("Zandro", "Dati", "Contrast", "");
             windowsContrast = true;
             DeleteElement(form);  // and the game starts again
             form = new FormMain(GetModuleHandleW(nullptr), "Zandro++ restarted");
         },
         "", true},
        {"Windows' theme off",
         [&] {
             windowsContrast = false;
             SendMessageW(form->window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
         },
         "", false},
    };
    ASSERT_NE(0u, ContrastItem(form->window));
    // The first time there and back makes what the system keeps of its colours (brushes).
    for (int warmUp = 0; warmUp < 2; ++warmUp) {
        pick();
        Shoot();
    }
    const GuiObjects before = CountGuiObjects();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        Shoot();
        EXPECT_EQ(step.stored, ReadSetting("Zandro", "Dati", "Contrast"));
        const UINT item = ContrastItem(form->window);
        EXPECT_EQ(step.on, (GetMenuState(GetMenu(form->window), item, MF_BYCOMMAND) & MF_CHECKED) != 0);
        EXPECT_EQ(step.on ? window : kGreen, shot.At(300, 240)) << "the felt";
        const RECT card = ClientRectOf(form->Layout().dealerCardImages[0]->window);
        EXPECT_EQ(step.on,
                  shot.At(card.left, card.top) == text && shot.At(card.right - 1, card.bottom - 1) == text)
            << "the card's frame";
        const Look looks[] = {
            {Moment::Idle, form->Layout().dealerCaptionCell, step.on ? window : kGreen,
             step.on ? text : RGB(255, 255, 0), Align::Left, Face::Large, false},
            {Moment::Idle, form->Layout().startButton, step.on ? face : kRed, step.on ? faceText : kWhite,
             Align::Centre, Face::Small, false},
        };
        for (const Look& look : looks) EXPECT_TRUE(LooksRight(shot, look)) << Text(look.element);
        if (&step == &steps[1]) {
            const GuiObjects after = CountGuiObjects();
            EXPECT_EQ(before.gdi, after.gdi) << "there and back";
        }
    }
}

// coins 6 and 5 for the player, the dealer's ace covered: over 7.5 at the first card.
TEST_F(Table, PlayerBustEndsTheRoundAtOnce) {
    StackDeck({1, 6, 5});
    Press(form->Layout().startButton);
    EXPECT_EQ("CANCEL", Text(form->Layout().startButton));
    EXPECT_TRUE(Enabled(form->Layout().getCardButton));
    EXPECT_TRUE(Enabled(form->Layout().stakeSlider));
    EXPECT_EQ(kCardBackPicture, form->Layout().dealerCardImages[0]->resourceId);
    EXPECT_FALSE(IsWindowVisible(form->Layout().dealerCardImages[1]->window));
    EXPECT_EQ("0", Text(form->Layout().dealerPointsCell));

    Press(form->Layout().getCardButton);
    EXPECT_EQ("You exceeded 7.5. You lost!", Text(form->Layout().messageCell));
    EXPECT_EQ("11", Text(form->Layout().playerPointsCell));
    EXPECT_EQ("1", Text(form->Layout().dealerPointsCell));
    EXPECT_EQ(CardPicture(1), form->Layout().dealerCardImages[0]->resourceId);
    EXPECT_EQ(CardPicture(6), form->Layout().playerCardImages[0]->resourceId);
    EXPECT_EQ(CardPicture(5), form->Layout().playerCardImages[1]->resourceId);
    EXPECT_EQ("START", Text(form->Layout().startButton));
    EXPECT_FALSE(Enabled(form->Layout().getCardButton));
    EXPECT_FALSE(Enabled(form->Layout().stopButton));
    EXPECT_EQ("49500", StoredScore());
    EXPECT_EQ(Grouped(49500), Text(form->Layout().scoreCell));
    EXPECT_EQ("37", Text(form->Layout().remainingCell));
}

// Clicks that another program posts to disabled buttons change nothing.
TEST_F(Table, DisabledButtonsIgnorePostedClicks) {
    for (Button* off : {form->Layout().stopButton, form->Layout().getCardButton, form->Layout().stakeButton})
        SendMessageW(form->window, WM_COMMAND, MAKEWPARAM(off->commandId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(off->window));
    coretest::Pump();
    EXPECT_EQ(RoundPhase::Idle, form->round.Phase());
    EXPECT_TRUE(Enabled(form->Layout().startButton));
    EXPECT_EQ("", Text(form->Layout().messageCell));
    EXPECT_EQ("0", Text(form->Layout().remainingCell));
}

// A raised stake, then CANCEL: half of it is lost and the table is idle again.
TEST_F(Table, CancelCostsHalfTheRaisedStake) {
    StackDeck({1, 2});
    Press(form->Layout().startButton);
    SetFocus(form->Layout().stakeSlider->window);
    SlideKey(form->Layout().stakeSlider, VK_RIGHT);
    SlideKey(form->Layout().stakeSlider, VK_RIGHT);
    coretest::Pump();
    EXPECT_EQ(Grouped(1500), Text(form->Layout().stakeButton));

    Press(form->Layout().startButton);
    EXPECT_EQ("START", Text(form->Layout().startButton));
    EXPECT_EQ("49250", StoredScore());
    EXPECT_EQ(Grouped(500), Text(form->Layout().stakeButton));
    EXPECT_FALSE(Enabled(form->Layout().stopButton));
    EXPECT_TRUE(IsWindowVisible(form->Layout().dealerCardImages[7]->window));
    EXPECT_EQ(kCardBackPicture, form->Layout().playerCardImages[0]->resourceId);
}

// The buttons are owner-drawn, so a fast double click on START reaches it twice: the
// round starts and is cancelled at once, for half the stake.
TEST_F(Table, DoubleClickOnStartStartsAndCancels) {
    const LPARAM at = MAKELPARAM(50, 20);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(form->Layout().startButton->window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     at);
    coretest::Pump();
    EXPECT_EQ("START", Text(form->Layout().startButton));
    EXPECT_EQ(RoundPhase::Idle, form->round.Phase());
    EXPECT_EQ("49750", StoredScore());
    EXPECT_EQ(Grouped(49750), Text(form->Layout().scoreCell));
}

// The dealer's six against the player's seven: the dealer stops at once (it sees
// nothing of the player), and the showdown more than two seconds later pays the player.
TEST_F(Table, DealerStopsAndLosesTheShowdownOnTheTimer) {
    StackDeck({6, 7});
    Press(form->Layout().startButton);
    Press(form->Layout().stopButton);
    EXPECT_EQ("Now play the dealer", Text(form->Layout().messageCell));
    EXPECT_FALSE(Enabled(form->Layout().startButton));
    EXPECT_EQ(CardPicture(6), form->Layout().dealerCardImages[0]->resourceId);

    coretest::Pump(1500);
    EXPECT_EQ("Now play the dealer", Text(form->Layout().messageCell)) << "the dealer waits two seconds";
    ASSERT_TRUE(PumpUntil([&] { return Text(form->Layout().messageCell) == "The dealer stops"; }, 4000));
    ASSERT_TRUE(PumpUntil([&] { return Text(form->Layout().messageCell) == "You won!"; }, 4000));
    EXPECT_EQ("50500", StoredScore());
    EXPECT_TRUE(Enabled(form->Layout().startButton));
    EXPECT_EQ("START", Text(form->Layout().startButton));
}

// True when nothing reaches this thread for the whole time: no timer, no message.
bool NothingArrivesFor(DWORD milliseconds) {
    return MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT) == WAIT_TIMEOUT;
}

// An idle table wakes nothing, even with the pointer resting on it: the dealer's timer runs
// from STOP until the outcome only, and nobody asks the system to keep checking where the
// pointer is (Wine would look every 400 ms). The dealer keeps its pace of over two seconds.
TEST_F(Table, IdleTableWakesNothingWhileTheDealerKeepsItsPace) {
    POINT felt{300, 225};
    ClientToScreen(form->window, &felt);
    SetCursorPos(felt.x, felt.y);
    ASSERT_EQ(form->window, WindowFromPoint(felt));
    SendMessageW(form->window, WM_MOUSEMOVE, 0, MAKELPARAM(300, 225));
    coretest::Pump(300);
    EXPECT_FALSE(hoverTracking) << "a hover or leave request is open";
    EXPECT_TRUE(NothingArrivesFor(2000)) << "idle";

    StackDeck({6, 7});
    Press(form->Layout().startButton);
    EXPECT_FALSE(form->Layout().dealTimer->running) << "the player's turn";
    Press(form->Layout().stopButton);
    const DWORD stopped = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return Text(form->Layout().messageCell) == "The dealer stops"; }, 4000));
    const DWORD dealerStopped = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return Text(form->Layout().messageCell) == "You won!"; }, 4000));
    EXPECT_GE(dealerStopped - stopped, 2000u);
    EXPECT_GE(GetTickCount() - dealerStopped, 1980u);  // the stop is seen up to one pump late
    coretest::Pump(100);
    EXPECT_TRUE(NothingArrivesFor(1000)) << "after the outcome";
}

// The dealer's five draws a six and goes over; the bust is announced a tick later.
TEST_F(Table, DealerBustPaysThePlayer) {
    StackDeck({5, 7, 16});
    Press(form->Layout().startButton);
    Press(form->Layout().stopButton);
    ASSERT_TRUE(PumpUntil(
        [&] { return IsWindowVisible(form->Layout().dealerCardImages[1]->window) != FALSE; }, 4000));
    EXPECT_EQ(CardPicture(16), form->Layout().dealerCardImages[1]->resourceId);
    EXPECT_EQ("11", Text(form->Layout().dealerPointsCell));
    EXPECT_EQ("Now play the dealer", Text(form->Layout().messageCell));
    ASSERT_TRUE(
        PumpUntil([&] { return Text(form->Layout().messageCell) == "Dealer exceeded 7.5. You won!"; }, 4000));
    EXPECT_EQ("50500", StoredScore());
    EXPECT_TRUE(Enabled(form->Layout().startButton));
}

}  // namespace
