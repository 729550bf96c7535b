// The main form's menu bar, its exit question on every way out, the about box behind
// INFO and the web pages behind the ? menu, on the real form in this process. The exit
// question is answered from a hook; web pages reach a recorder program, never a browser.
#include "FormAbout.h"
#include "PlayDriver.h"
#include "ShellRecorder.h"
#include "TableEntry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace DoDadu;
using namespace NeloUtility;
using playdriver::Click;
using playdriver::ManualClock;
using playdriver::StoredScore;

const int relaunched = coretest::RunInsideVirtualDesktop();

// ---- the native menu -------------------------------------------------------------

struct MenuEntry {
    std::string path;  // "&File/&Exit"
    int id;            // 0 for a drop-down menu
    bool operator==(const MenuEntry& other) const { return path == other.path && id == other.id; }
};

void PrintTo(const MenuEntry& entry, std::ostream* out) { *out << entry.path << " #" << entry.id; }

void ReadMenu(HMENU menu, const std::string& prefix, std::vector<MenuEntry>& entries) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU;
        info.dwTypeData = caption;
        info.cch = 63;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        std::string path = prefix + WideToUtf8(caption);
        entries.push_back({path, info.hSubMenu != nullptr ? 0 : static_cast<int>(info.wID)});
        if (info.hSubMenu != nullptr) ReadMenu(info.hSubMenu, path + "/", entries);
    }
}

std::vector<MenuEntry> MenuOf(HWND window) {
    std::vector<MenuEntry> entries;
    if (HMENU bar = GetMenu(window)) ReadMenu(bar, "", entries);
    return entries;
}

// The items of Options take the identifiers after Home's (Language's own one included).
std::vector<MenuEntry> ExpectedMenu(int exitId, int guideId, int homeId) {
    return {{"&File", 0},
            {"&File/&Full table...", homeId + 10},
            {"&File/Play &online...", homeId + 11},
            {"&File/&Exit", exitId},
            {"&Options", 0},
            {"&Options/&Hint\tF2", homeId + 1},
            {"&Options/S&tatistics...", homeId + 2},
            {"&Options/&Sound", homeId + 3},
            {"&Options/High &contrast", homeId + 4},
            {"&Options/&Language", 0},
            {"&Options/&Language/Windows setting", homeId + 6},
            {"&Options/&Language/English", homeId + 7},
            {"&Options/&Language/Italiano", homeId + 8},
            {"&Options/&Language/Espa\xC3\xB1ol", homeId + 9},
            {"&?", 0},
            {"&?/&Guide", guideId},
            {"&?/&Home", homeId}};
}

// Runs first, in a fresh process: the main window takes identifier 1, its menu items the
// next three.
TEST(MainMenu, FirstFormOfTheProgramNumbersExitGuideHome2To4) {
    ASSERT_EQ(nextControlId, 0) << "this test must be the first of a fresh process";
    WriteSetting("Zandro", "Dati", "Score", "50000");
    ManualClock clock;
    auto* form = new FormMain(GetModuleHandleW(nullptr), "Zandro++ menu", clock);
    EXPECT_EQ(form->commandId, 1);
    EXPECT_EQ(MenuOf(form->window), ExpectedMenu(2, 3, 4));
    DeleteElement(form);
    coretest::Pump();
}

// ---- the exit question ------------------------------------------------------------

// Answers every message box of this thread and notes what it asked. The box is noticed
// when it is activated; its texts are read, and the answer given, once its own loop
// runs.
struct QuestionBox {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // "Yes" then "No", as the box shows them
};

class Answerer {
public:
    explicit Answerer(int reply) {
        answer = reply;
        asked.clear();
        hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    }
    ~Answerer() { UnhookWindowsHookEx(hook); }
    bool Installed() const { return hook != nullptr; }

    static std::vector<QuestionBox> asked;

private:
    static BOOL CALLBACK CollectText(HWND child, LPARAM found) {
        wchar_t className[16] = {}, text[256] = {};
        GetClassNameW(child, className, 16);
        GetWindowTextW(child, text, 256);
        if (_wcsicmp(className, L"Static") == 0 && text[0] != 0)
            *reinterpret_cast<std::string*>(found) += WideToUtf8(text);
        return TRUE;
    }
    static void CALLBACK ReadAndAnswer(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        wchar_t caption[64] = {};
        GetWindowTextW(box, caption, 64);
        QuestionBox seen{WideToUtf8(caption), "", {}};
        EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&seen.text));
        for (int id : {IDYES, IDNO}) {
            wchar_t button[32] = {};
            if (GetDlgItemTextW(box, id, button, 32) > 0) seen.buttons.push_back(WideToUtf8(button));
        }
        asked.push_back(seen);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    }
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            wchar_t className[16] = {};
            GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
            if (std::wstring(className) == L"#32770") {
                box = reinterpret_cast<HWND>(wParam);
                SetTimer(nullptr, 0, 10, ReadAndAnswer);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static int answer;
    static HWND box;
    HHOOK hook = nullptr;
};
HWND Answerer::box = nullptr;
std::vector<QuestionBox> Answerer::asked;
int Answerer::answer = IDNO;

// Every way the player can ask to leave.
struct ExitWay {
    const char* name;
    std::function<void(FormMain&)> ask;
};

const ExitWay kExitWays[] = {
    {"File > Exit",
     [](FormMain& f) {
         PostMessageW(f.window, WM_COMMAND, MAKEWPARAM(f.Layout().exitItem->commandId, 0), 0);
     }},
    {"EXIT button", [](FormMain& f) { Click(f.Layout().exitButton); }},
    {"close box", [](FormMain& f) { PostMessageW(f.window, WM_CLOSE, 0, 0); }},
    {"ALT+F4", [](FormMain& f) { PostMessageW(f.window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

// Where the round stands when the player asks to leave.
enum class Moment { Idle, PlayerTurn, DealerTurn };

class MainForm : public playdriver::FormTest {
protected:
    MainForm() : FormTest("Zandro++ menu") {}
    void SetUp() override {
        mainWindow = nullptr;  // this form's window is the one that ends the loop
        FormTest::SetUp();
    }
    void TearDown() override {
        FormTest::TearDown();
        mainWindow = nullptr;
        // A language chosen by a test that failed half-way would speak to every later test.
        WriteSetting("Zandro", "Dati", "Language", "");
    }

    // A fresh form over the starting score.
    void Restart() {
        TearDown();
        SetUp();
    }

    // Brings the round to the moment, at a stake of 1500: the dealer's covered ace of
    // coins and the player's two of coins. The dealer's clock stands still, so the
    // dealer never moves on its own.
    void Reach(Moment moment) {
        if (moment == Moment::Idle) return;
        StackDeck(form->round.cards, {1, 2});
        Click(form->Layout().startButton);
        SetFocus(form->Layout().stakeSlider->window);
        playdriver::SlideKey(form->Layout().stakeSlider, VK_RIGHT);
        playdriver::SlideKey(form->Layout().stakeSlider, VK_RIGHT);
        coretest::Pump();
        ASSERT_EQ(form->round.CurrentStake(), 1500);
        if (moment == Moment::DealerTurn) Click(form->Layout().stopButton);
        coretest::Pump(100);
        ASSERT_EQ(form->round.Phase(),
                  moment == Moment::PlayerTurn ? RoundPhase::PlayerTurn : RoundPhase::DealerTurn);
    }

    // Runs the program's message loop; a watchdog ends it if the window never goes.
    bool LoopEndsByItself() {
        loopTimedOut = false;
        UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
            loopTimedOut = true;
            PostQuitMessage(0);
        });
        RunMessageLoop(form);
        KillTimer(nullptr, watchdog);
        return !loopTimedOut;
    }

    static bool loopTimedOut;
};
bool MainForm::loopTimedOut = false;

void ExpectAskedOnce(const char* way) {
    ASSERT_EQ(Answerer::asked.size(), 1u) << way;
    EXPECT_EQ(Answerer::asked[0].caption, "Exit") << way;
    EXPECT_EQ(Answerer::asked[0].text, "Do you really want to go exit?") << way;
}

TEST_F(MainForm, NoOnEveryWayOutKeepsTheWindowTheScoreAndTheRound) {
    ASSERT_NO_FATAL_FAILURE(Reach(Moment::PlayerTurn));
    const std::vector<int> playerHand = form->round.cards.playerHand;
    const int score = form->round.Score();
    const std::string stored = StoredScore();
    for (const ExitWay& way : kExitWays) {
        Answerer answerer(IDNO);
        ASSERT_TRUE(answerer.Installed());
        way.ask(*form);
        coretest::Pump(50);
        ExpectAskedOnce(way.name);
        EXPECT_TRUE(IsWindow(form->window)) << way.name;
        EXPECT_TRUE(form->created) << way.name;
        EXPECT_EQ(form->round.Phase(), RoundPhase::PlayerTurn) << way.name;
        EXPECT_EQ(form->round.cards.playerHand, playerHand) << way.name;
        EXPECT_EQ(form->round.Score(), score) << way.name;
        EXPECT_EQ(StoredScore(), stored) << way.name;
        EXPECT_FALSE(form->Layout().dealTimer->running) << way.name << ": the dealer's timer waits for STOP";
    }
    // The game goes on after a No: the player can still draw.
    Click(form->Layout().getCardButton);
    EXPECT_EQ(form->round.cards.playerHand.size(), playerHand.size() + 1);
}

struct YesCase {
    const char* name;
    Moment moment;
    const char* storedAfter;
};

TEST_F(MainForm, YesChargesTheAbandonedRoundClosesTheWindowAndEndsTheLoop) {
    const YesCase cases[] = {
        {"idle", Moment::Idle, "50000"},
        {"player's turn, half the stake", Moment::PlayerTurn, "49250"},
        {"dealer's turn, the whole stake", Moment::DealerTurn, "48500"},
    };
    for (const YesCase& c : cases) {
        for (const ExitWay& way : kExitWays) {
            SCOPED_TRACE(std::string(c.name) + " / " + way.name);
            Restart();
            ASSERT_NO_FATAL_FAILURE(Reach(c.moment));
            Answerer answerer(IDYES);
            way.ask(*form);
            EXPECT_TRUE(LoopEndsByItself());
            ExpectAskedOnce(way.name);
            EXPECT_FALSE(IsWindow(form->window));
            EXPECT_EQ(StoredScore(), c.storedAfter);
            EXPECT_FALSE(form->Layout().dealTimer->running);
        }
    }
}

// Under an English Windows the question speaks the language chosen in Options, its
// buttons too, and Yes still leaves.
TEST_F(MainForm, TheExitQuestionAsksInTheChosenLanguage) {
    const struct {
        int choice;  // after "Windows setting"
        const char* caption;
        std::vector<std::string> buttons;
    } cases[] = {{1, "Exit", {"&Yes", "&No"}},
                 {2, "Esci", {"&S\xC3\xAC", "&No"}},
                 {3, "Salir", {"&S\xC3\xAD", "&No"}}};
    ASSERT_EQ(GetUserDefaultUILanguage() & 0x3ff, LANG_ENGLISH) << "Windows must speak English here";
    for (const auto& c : cases) {
        Restart();
        const int languageItem = form->Layout().homeItem->commandId + 6 + c.choice;
        SendMessageW(form->window, WM_COMMAND, static_cast<WPARAM>(languageItem), 0);
        Answerer answerer(IDYES);
        PostMessageW(form->window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(LoopEndsByItself()) << c.caption;
        ASSERT_EQ(Answerer::asked.size(), 1u) << c.caption;
        EXPECT_EQ(Answerer::asked[0].caption, c.caption);
        EXPECT_EQ(Answerer::asked[0].buttons, c.buttons) << c.caption;
    }
    WriteSetting("Zandro", "Dati", "Language", "");
}

TEST_F(MainForm, LaterFormsKeepTheSameMenu) {
    EXPECT_EQ(MenuOf(form->window),
              ExpectedMenu(form->Layout().exitItem->commandId, form->Layout().guideItem->commandId,
                           form->Layout().homeItem->commandId));
}

// A language picked from the menu: stored, the menus and the table in it at once, a radio
// dot on the choice; "Windows setting" empties the choice again.
TEST_F(MainForm, LanguageChosenFromTheMenuShowsAtOnceAndIsStored) {
    const int first = form->Layout().homeItem->commandId + 6;  // Windows setting, English, Italiano, Español
    const auto marked = [&](int id) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_FTYPE;
        const bool read =
            GetMenuItemInfoW(GetMenu(form->window), static_cast<UINT>(id), FALSE, &info) != FALSE;
        return read && (info.fState & MFS_CHECKED) != 0 && (info.fType & MFT_RADIOCHECK) != 0;
    };
    EXPECT_TRUE(marked(first));
    SendMessageW(form->window, WM_COMMAND, static_cast<WPARAM>(first) + 3, 0);
    EXPECT_EQ("es", ReadSetting("Zandro", "Dati", "Language"));
    EXPECT_TRUE(marked(first + 3));
    EXPECT_FALSE(marked(first));
    const std::vector<MenuEntry> menu = MenuOf(form->window);
    ASSERT_EQ(17u, menu.size());
    EXPECT_EQ("&Archivo", menu[0].path);
    EXPECT_EQ("&Archivo/Jugar en &l\xC3\xADnea...", menu[2].path);
    EXPECT_EQ("&Opciones/&Idioma/Idioma de Windows", menu[10].path);
    EXPECT_EQ(
        "&?/&Gu\xC3\xAD"
        "a",
        menu[15].path);
    EXPECT_EQ("JUGAR", form->Layout().startButton->GetTextUtf8());
    EXPECT_EQ("Cartas\nrestantes", form->Layout().remainingCaptionCell->GetTextUtf8());
    SendMessageW(form->window, WM_COMMAND, static_cast<WPARAM>(first), 0);
    EXPECT_EQ("", ReadSetting("Zandro", "Dati", "Language"));
    EXPECT_EQ(MenuOf(form->window),
              ExpectedMenu(form->Layout().exitItem->commandId, form->Layout().guideItem->commandId,
                           form->Layout().homeItem->commandId));
    EXPECT_EQ("START", form->Layout().startButton->GetTextUtf8());
}

// ---- a table that cannot open its window -------------------------------------------

// Refuses every top-level form window of this thread, as the system does when it has no
// room for one; message boxes still open.
LRESULT CALLBACK RefuseForms(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t className[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
        if (std::wstring(className).rfind(L"Window", 0) == 0) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainForm, AWindowThatCannotBeMadeIsToldAndEndsTheRunWithAnError) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\NeloSettings\\Zandro\\Dati", L"Score");
    Answerer answerer(IDOK);
    HHOOK refuse = SetWindowsHookExW(WH_CBT, RefuseForms, nullptr, GetCurrentThreadId());
    ASSERT_NE(refuse, nullptr);
    const int code = RunTable(GetModuleHandleW(nullptr), "Zandro++ refused");
    UnhookWindowsHookEx(refuse);
    EXPECT_NE(code, 0);
    ASSERT_EQ(Answerer::asked.size(), 1u);
    EXPECT_EQ(Answerer::asked[0].caption, "Zandro++");
    EXPECT_EQ(Answerer::asked[0].text, "Zandro++ could not open its window.");
    EXPECT_EQ(StoredScore(), "") << "a table that never showed stores nothing";
}

// ---- the about box ----------------------------------------------------------------

// One key typed into the window that has the focus, as the keyboard sends it.
void TypeKey(WPARAM key) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    coretest::Pump(50);
}

bool IsRegistered(const GUIElement* element) {
    return std::find(ElementRegistry.begin(), ElementRegistry.end(), element) != ElementRegistry.end();
}

TEST_F(MainForm, InfoOpensABoxThatDisablesTheFormUntilEnterOrEscapeOnOk) {
    std::vector<FormAbout*> boxes;
    for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_RETURN}) {
        Click(form->Layout().infoButton);
        coretest::Pump(50);
        FormAbout* box = form->AboutForm();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(IsWindowVisible(box->window));
        EXPECT_EQ(box->owner, form);
        EXPECT_FALSE(IsWindowEnabled(form->window)) << "the form waits for the box";
        EXPECT_EQ(box->webLink->GetTextNarrow(), "http://www.zandro.test");
        EXPECT_EQ(GetFocus(), box->okButton->window);
        TypeKey(key);
        EXPECT_FALSE(IsWindow(box->window));
        EXPECT_TRUE(IsWindowEnabled(form->window));
        boxes.push_back(box);
    }
    // A fresh box for every press; the replaced ones wait for the end of the loop.
    ASSERT_EQ(DeferredDeletes.size(), 2u);
    EXPECT_EQ(DeferredDeletes[0].element, boxes[0]);
    EXPECT_EQ(DeferredDeletes[1].element, boxes[1]);
    for (FormAbout* box : boxes) EXPECT_TRUE(IsRegistered(box));

    Answerer answerer(IDYES);
    PostMessageW(form->window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(LoopEndsByItself());
    EXPECT_TRUE(DeferredDeletes.empty());
    EXPECT_FALSE(IsRegistered(boxes[0]));
    EXPECT_FALSE(IsRegistered(boxes[1]));
    EXPECT_TRUE(IsRegistered(boxes[2])) << "the last box belongs to the form";
    DeleteElement(form);
    form = nullptr;
    EXPECT_FALSE(IsRegistered(boxes[2]));
}

// Width in pixels of a text in a font, as drawn in a window.
int TextWidth(HWND window, FontSpec* font, const std::string& text) {
    const std::wstring wide = Widen(text);
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font->GetFontHandle());
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return extent.cx;
}

// The game's web and mail addresses are shown in full, not cut at the end of their cells.
TEST_F(MainForm, AboutBoxShowsBothAddressesInFull) {
    Click(form->Layout().infoButton);
    coretest::Pump(50);
    FormAbout* box = form->AboutForm();
    ASSERT_NE(box, nullptr);
    for (CellControl* link : {box->webLink, box->mailLink}) {
        RECT cell{};
        GetClientRect(link->window, &cell);
        EXPECT_LE(TextWidth(link->window, link->font, link->GetTextNarrow()), cell.right)
            << link->GetTextNarrow();
    }
    TypeKey(VK_ESCAPE);
}

// ---- the web pages ----------------------------------------------------------------

TEST_F(MainForm, HomeAndGuideHandTheirPagesToTheShell) {
    shelltest::ShellRecorder recorder;
    ASSERT_TRUE(recorder.Install());
    // One page at a time: the shell starts a handler for each, and they may finish in
    // any order.
    PostMessageW(form->window, WM_COMMAND, MAKEWPARAM(form->Layout().homeItem->commandId, 0), 0);
    coretest::Pump(50);
    ASSERT_EQ(recorder.WaitFor(1).size(), 1u);
    PostMessageW(form->window, WM_COMMAND, MAKEWPARAM(form->Layout().guideItem->commandId, 0), 0);
    coretest::Pump(50);
    EXPECT_EQ(recorder.WaitFor(2),
              (std::vector<std::string>{"http://www.zandro.test", "http://www.zandro.test/Zandro.asp"}));
    // A command without its item (the EXIT button before the menu is there) does nothing.
    form->OnMenuCommand(nullptr);
    coretest::Pump(50);
    EXPECT_EQ(recorder.WaitFor(2).size(), 2u);
    EXPECT_TRUE(IsWindow(form->window));
}

}  // namespace
