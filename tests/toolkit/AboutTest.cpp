// The about box in real windows with a real owner form: its layout, the keys that close
// it, its owner's enabled state, its notice box, its links and the shell, and what it
// releases; where it and the statistics box open. Web and mail addresses reach a recorder
// program, never a browser.
#include "CoreTestSupport.h"
#include "FormAbout.h"
#include "FormStatistics.h"
#include "PaintedPixels.h"
#include "ShellRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace coretest;

namespace {

const int relaunched = RunInsideVirtualDesktop();

const char kWeb[] = "http://www.zandro.example";

// An owner form and an about box filled in as a program fills it in.
struct OpenBox {
    Owned<Form> owner;
    FormAbout* box = nullptr;

    explicit OpenBox(int logoWidth = 164, int logoHeight = 50) : owner(MakeForm("owner")) {
        owner->Create();
        box = new FormAbout(owner.get());
        box->logoWidth = logoWidth;
        box->logoHeight = logoHeight;
        box->titleText = "Zandro 1.0";
        box->copyrightText = "Copyright";
        box->noticeText = "first line\r\nsecond line";
        box->webAddress = kWeb;
        box->Show();
        Pump();
    }
    ~OpenBox() {
        DeleteElement(box);
        Pump();
    }
};

// Position in the parent's client area, and outer size.
RECT PlaceOf(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT corner{outer.left, outer.top};
    ScreenToClient(GetParent(window), &corner);
    return RECT{corner.x, corner.y, outer.right - outer.left, outer.bottom - outer.top};
}

struct Expected {
    const char* name;
    int x, y, width, height;
};

void ExpectPlace(HWND window, const Expected& e, const char* layout) {
    ASSERT_TRUE(IsWindow(window)) << layout << ": " << e.name;
    RECT place = PlaceOf(window);
    EXPECT_EQ(place.left, e.x) << layout << ": " << e.name << " x";
    EXPECT_EQ(place.top, e.y) << layout << ": " << e.name << " y";
    EXPECT_EQ(place.right, e.width) << layout << ": " << e.name << " width";
    EXPECT_EQ(place.bottom, e.height) << layout << ": " << e.name << " height";
}

struct LayoutCase {
    const char* name;
    int logoWidth, logoHeight;
    Expected frame, logo, title, copyright, web, mail, notice, ok;
};

TEST(AboutLayout, FollowsTheLogoWidth) {
    const LayoutCase cases[] = {
        {"logo 164 x 50",
         164,
         50,
         {"frame", 10, 10, 184, 280},
         {"logo", 5, 5, 164, 50},
         {"title", 209, 10, 381, 25},
         {"copyright", 209, 35, 381, 25},
         {"web link", 209, 55, 150, 22},
         {"mail link", 369, 55, 150, 22},
         {"notice", 209, 85, 381, 155},
         {"OK", 359, 250, 80, 25}},
        // A wider logo moves the column to the right and narrows it.
        {"logo 265 x 70",
         265,
         70,
         {"frame", 10, 10, 285, 280},
         {"logo", 5, 5, 265, 70},
         {"title", 310, 10, 280, 25},
         {"copyright", 310, 35, 280, 25},
         {"web link", 310, 55, 150, 22},
         {"mail link", 470, 55, 150, 22},
         {"notice", 310, 85, 280, 155},
         {"OK", 410, 250, 80, 25}},
    };
    for (const LayoutCase& c : cases) {
        OpenBox open(c.logoWidth, c.logoHeight);
        FormAbout& box = *open.box;
        RECT client{};
        GetClientRect(box.window, &client);
        EXPECT_EQ(client.right, 600) << c.name;
        EXPECT_EQ(client.bottom, 300) << c.name;

        ExpectPlace(box.logoPanel->window, c.frame, c.name);
        ExpectPlace(box.logoPicture->window, c.logo, c.name);
        ExpectPlace(box.titleLabel->window, c.title, c.name);
        ExpectPlace(box.copyrightLabel->window, c.copyright, c.name);
        ExpectPlace(box.webLink->window, c.web, c.name);
        ExpectPlace(box.mailLink->window, c.mail, c.name);
        ExpectPlace(box.noticeBox->window, c.notice, c.name);
        ExpectPlace(box.okButton->window, c.ok, c.name);
        EXPECT_EQ(GetParent(box.logoPicture->window), box.logoPanel->window) << c.name;
        EXPECT_EQ(GetParent(box.okButton->window), box.window) << c.name;
    }
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (handle != nullptr) GetObjectW(handle, sizeof font, &font);
    return font;
}

TEST(AboutBox, IsAToolWindowCaptionedInfoWithItsTextsInTheirFonts) {
    OpenBox open;
    FormAbout& box = *open.box;
    EXPECT_EQ(box.GetTextNarrow(), "Info...");
    LONG style = GetWindowLongW(box.window, GWL_STYLE);
    LONG extended = GetWindowLongW(box.window, GWL_EXSTYLE);
    EXPECT_TRUE(extended & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(extended & WS_EX_TOPMOST);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

    EXPECT_EQ(box.titleLabel->GetTextNarrow(), "Zandro 1.0");
    EXPECT_EQ(box.copyrightLabel->GetTextNarrow(), "Copyright");
    EXPECT_EQ(box.webLink->GetTextNarrow(), kWeb);
    EXPECT_EQ(box.mailLink->GetTextNarrow(), "info@zandro.example");

    struct FontCase {
        const char* name;
        HWND window;
        LONG height, weight;
    } fonts[] = {
        {"title", box.titleLabel->window, 16, FW_BOLD},
        {"copyright", box.copyrightLabel->window, 14, FW_NORMAL},
    };
    for (const FontCase& f : fonts) {
        LOGFONTW font = FontOf(f.window);
        EXPECT_STREQ(font.lfFaceName, L"Arial") << f.name;
        EXPECT_EQ(font.lfHeight, f.height) << f.name;
        EXPECT_EQ(font.lfWeight, f.weight) << f.name;
    }
    // The links paint their text themselves, with the font they point to.
    for (CellControl* link : {box.webLink, box.mailLink}) EXPECT_EQ(link->font, box.linkFont);
}

TEST(AboutMailLink, TurnsEveryWebPrefixIntoInfoAt) {
    const struct {
        const char* web;
        const char* mail;
    } cases[] = {
        {"http://www.zandro.example", "info@zandro.example"},
        {"zandro.example", "zandro.example"},
        {"http://www.a.example/http://www.b", "info@a.example/info@b"},
    };
    for (const auto& c : cases) EXPECT_EQ(MailAddressFor(c.web), c.mail) << c.web;
}

TEST(AboutNotice, KeepsItsLineBreaksScrollsVerticallyAndCannotBeEdited) {
    OpenBox open;
    TextBox& notice = *open.box->noticeBox;
    LONG style = GetWindowLongW(notice.window, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & ES_AUTOHSCROLL) << "no word wrap";
    EXPECT_EQ(SendMessageW(notice.window, EM_GETLINECOUNT, 0, 0), 2);

    notice.Focus();
    SendMessageW(notice.window, EM_SETSEL, 0, -1);
    PostMessageW(notice.window, WM_CHAR, 'x', 1);
    PostMessageW(notice.window, WM_CLEAR, 0, 0);
    Pump();
    EXPECT_EQ(notice.GetTextNarrow(), "first line\r\nsecond line");
    EXPECT_TRUE(IsWindow(open.box->window)) << "an ordinary character does not close the box";
}

// Types one key into whichever window has the focus, as the keyboard would.
void TypeKey(WPARAM virtualKey) {
    HWND focus = GetFocus();
    UINT scan = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageW(focus, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000);
    Pump(50);
}

TEST(AboutClosing, EnterEscapeOrTheCloseBoxCloseItAndGiveTheOwnerBack) {
    enum class Focused { Ok, Notice };
    const struct {
        const char* name;
        Focused focused;
        WPARAM key;  // 0: the close box instead
    } cases[] = {
        {"ENTER on OK", Focused::Ok, VK_RETURN},
        {"ESC on OK", Focused::Ok, VK_ESCAPE},
        {"ENTER in the notice", Focused::Notice, VK_RETURN},
        {"ESC in the notice", Focused::Notice, VK_ESCAPE},
        {"close box", Focused::Ok, 0},
    };
    for (const auto& c : cases) {
        OpenBox open;
        FormAbout& box = *open.box;
        EXPECT_FALSE(IsWindowEnabled(open.owner->window)) << c.name << ": owner disabled while open";
        EXPECT_EQ(open.owner->companionForm, &box) << c.name;
        EXPECT_EQ(GetFocus(), box.okButton->window) << c.name << ": OK has the focus";

        TypeKey('A');
        ASSERT_TRUE(IsWindow(box.window)) << c.name << ": other keys do nothing";
        if (c.focused == Focused::Notice) box.noticeBox->Focus();
        if (c.key != 0)
            TypeKey(c.key);
        else
            PostMessageW(box.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump(50);

        EXPECT_FALSE(IsWindow(box.window)) << c.name;
        EXPECT_TRUE(IsWindowEnabled(open.owner->window)) << c.name;
        EXPECT_TRUE(open.owner->enabled) << c.name;
        EXPECT_EQ(open.owner->companionForm, nullptr) << c.name;
    }
}

TEST(AboutClosing, DeletingAnOpenBoxGivesTheOwnerBack) {
    OpenBox open;
    ASSERT_FALSE(IsWindowEnabled(open.owner->window));
    DeleteAndClear(open.box);
    Pump();
    EXPECT_TRUE(IsWindowEnabled(open.owner->window));
    EXPECT_EQ(open.owner->companionForm, nullptr);
}

// The statistics box opens centred on its owner, pushed back into the work area where the
// owner reaches out of it; the about box keeps its place wherever the owner is.
TEST(BoxPlacement, StatisticsOverItsOwnerAndOnScreenAboutWhereItWas) {
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor));
    const RECT work = monitor.rcWork;
    const struct {
        LONG left, top;  // of the owner, 640 x 480
        char place;  // 'c' centred on the owner; against the work area's 'r' right and bottom, 'l' left and
                     // top
    } cases[] = {
        {180, 120, 'c'}, {work.right - 120, work.bottom - 90, 'r'}, {work.left - 560, work.top - 420, 'l'}};
    std::vector<RECT> aboutPlaces;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place);
        Owned<Form> owner(MakeForm("owner"));
        owner->MoveTo(c.left, c.top);
        owner->SetSize(640, 480);
        owner->Create();
        RECT over{}, box{}, about{};
        GetWindowRect(owner->window, &over);
        Owned<FormStatistics> statistics(new FormStatistics(owner.get()));
        statistics->figures = {{"Rounds", "12"}, {"Won", "5"}};
        statistics->Open();
        Pump();
        GetWindowRect(statistics->window, &box);
        EXPECT_EQ(statistics->ClientSize().cy, statistics->ClientHeight());
        if (c.place == 'c') {
            EXPECT_NEAR(box.left + box.right, over.left + over.right, 2);
            EXPECT_NEAR(box.top + box.bottom, over.top + over.bottom, 2);
        }
        if (c.place == 'r') {
            EXPECT_TRUE(box.right == work.right && box.bottom == work.bottom);
        }
        if (c.place == 'l') {
            EXPECT_TRUE(box.left == work.left && box.top == work.top);
        }
        Owned<FormAbout> aboutBox(new FormAbout(owner.get()));
        aboutBox->Show();
        Pump();
        GetWindowRect(aboutBox->window, &about);
        aboutPlaces.push_back(about);
    }
    for (const RECT& place : aboutPlaces) EXPECT_TRUE(EqualRect(&place, aboutPlaces.data()));
}

bool IsRegistered(const GUIElement* element) {
    return std::find(ElementRegistry.begin(), ElementRegistry.end(), element) != ElementRegistry.end();
}

bool IsLiveGdiObject(HGDIOBJ object) { return object != nullptr && GetObjectType(object) != 0; }

TEST(AboutRelease, LeavesNoElementAliveAndFreesEveryFontOnDeletion) {
    OpenBox open;
    FormAbout& box = *open.box;
    const std::vector<GUIElement*> made = {box.logoPanel, box.copyrightLabel, box.logoPicture, box.titleLabel,
                                           box.noticeBox, box.okButton,       box.webLink,     box.mailLink};
    for (GUIElement* element : made) ASSERT_TRUE(IsRegistered(element));
    const HFONT fonts[] = {box.titleFont->GetFontHandle(), box.linkFont->GetFontHandle(),
                           box.font->GetFontHandle()};
    for (HFONT font : fonts) ASSERT_TRUE(IsLiveGdiObject(font));

    box.ReleaseElements();
    for (GUIElement* element : made) EXPECT_FALSE(IsRegistered(element));
    EXPECT_EQ(box.okButton, nullptr);
    EXPECT_EQ(box.titleFont, nullptr);
    EXPECT_EQ(box.linkFont, nullptr);
    EXPECT_FALSE(IsLiveGdiObject(fonts[0]));
    EXPECT_FALSE(IsLiveGdiObject(fonts[1]));
    box.ReleaseElements();  // a second release, as after the message loop, finds nothing to free

    DeleteAndClear(open.box);
    EXPECT_FALSE(IsLiveGdiObject(fonts[2])) << "the box's own font is freed with the box";
}

// The shell hands addresses to the recorder registered for http and mailto.
class AboutShell : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(recorder.Install()); }
    void SetUp() override { recorder.Clear(); }
    static shelltest::ShellRecorder recorder;
};
shelltest::ShellRecorder AboutShell::recorder;

TEST_F(AboutShell, OpenWithShellHandsOverExactlyTheAddress) {
    EXPECT_TRUE(OpenWithShell("http://www.zandro.example/Zandro.asp"));
    EXPECT_EQ(recorder.WaitFor(1), (std::vector<std::string>{"http://www.zandro.example/Zandro.asp"}));
    EXPECT_TRUE(OpenWithShell("mailto:info@zandro.example"));
    EXPECT_EQ(recorder.WaitFor(2), (std::vector<std::string>{"http://www.zandro.example/Zandro.asp",
                                                             "mailto:info@zandro.example"}));
}

TEST_F(AboutShell, OpenWithShellReportsAnAddressNobodyOpens) {
    EXPECT_FALSE(OpenWithShell("zandro-unregistered-scheme:nothing"));
    EXPECT_TRUE(recorder.WaitFor(1, 1000).empty());
}

// A press of the mouse button on a link, as the window receives it.
void PressOn(HWND window) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(50);
}

TEST_F(AboutShell, LinksOpenTheWebAddressAndMailWhatTheMailLinkShows) {
    OpenBox open;
    FormAbout& box = *open.box;
    // One at a time: each opening starts a handler process of its own.
    PressOn(box.webLink->window);
    ASSERT_EQ(recorder.WaitFor(1).size(), 1u);
    PressOn(box.mailLink->window);
    ASSERT_EQ(recorder.WaitFor(2).size(), 2u);
    box.mailLink->SetTextNarrow("someone@zandro.example");
    PressOn(box.mailLink->window);
    EXPECT_EQ(recorder.WaitFor(3), (std::vector<std::string>{kWeb, "mailto:info@zandro.example",
                                                             "mailto:someone@zandro.example"}));
    EXPECT_TRUE(IsWindow(box.window)) << "the box stays open";
}

// The pixels of a window that differ between two looks at it.
int Changed(const ControlTests::Canvas& before, const ControlTests::Canvas& after) {
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) changed += before.At(x, y) != after.At(x, y);
    return changed;
}

// The keyboard reaches the links: from OK, Tab goes round to them (the one with the focus
// marked), then to the notice and back to OK; Enter or Space on a link opens it and leaves
// the box open.
TEST_F(AboutShell, TabReachesTheLinksAndEnterOrSpaceOpensThem) {
    OpenBox open;
    FormAbout& box = *open.box;
    RECT cell{};
    GetClientRect(box.webLink->window, &cell);
    ControlTests::Canvas unmarked(cell.right, cell.bottom), marked(cell.right, cell.bottom);
    unmarked.CopyFrom(box.webLink->window);
    const struct {
        WPARAM key;
        HWND focus;  // after Tab, then the key
        size_t opened;
    } steps[] = {
        {VK_RETURN, box.webLink->window, 1},
        {VK_SPACE, box.mailLink->window, 2},
        {'A', box.noticeBox->window, 2},
        {'A', box.okButton->window, 2},
    };
    for (const auto& step : steps) {
        TypeKey(VK_TAB);
        ASSERT_EQ(GetFocus(), step.focus) << step.opened;
        if (step.focus == box.webLink->window) {
            marked.CopyFrom(box.webLink->window);
            EXPECT_GT(Changed(unmarked, marked), 0) << "the focused link shows a mark";
        }
        if (step.focus == box.mailLink->window) {
            marked.CopyFrom(box.webLink->window);
            EXPECT_EQ(Changed(unmarked, marked), 0) << "the mark leaves with the focus";
        }
        TypeKey(step.key);
        ASSERT_EQ(recorder.WaitFor(step.opened).size(), step.opened);
    }
    EXPECT_EQ(recorder.Recorded(), (std::vector<std::string>{kWeb, "mailto:info@zandro.example"}));
    EXPECT_TRUE(IsWindow(box.window));
}

}  // namespace
