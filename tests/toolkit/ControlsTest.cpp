// The native controls in real windows: labels and images, owner-drawn buttons, text
// boxes and the slider with its end labels.
#include "AccessibleElement.h"
#include "Button.h"
#include "ChoiceBox.h"
#include "DisplayScale.h"
#include "Image.h"
#include "Label.h"
#include "PaintedPixels.h"
#include "Slider.h"
#include "TextBox.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace NeloUtility;
using namespace ControlTests;

namespace {

constexpr COLORREF kGrey = RGB(220, 220, 220);
constexpr int kPictureResource = 1101;  // in ControlsTest.rc

HBITMAP ShownBitmap(const Image& image) {
    return reinterpret_cast<HBITMAP>(SendMessageW(image.window, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// What the button face paints for one item state, in a canvas of the item's size.
void PaintButton(Button& button, Canvas& canvas, UINT state, COLORREF text, COLORREF back) {
    SetTextColor(canvas.dc(), text);
    SetBkColor(canvas.dc(), back);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemState = state;
    item.hDC = canvas.dc();
    item.rcItem = RECT{0, 0, canvas.width(), canvas.height()};
    button.PaintFace(item);
}

// Trackbar messages sent on this thread, recorded by a hook: (window, message, value).
struct Sent {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Sent> trackbarMessages;
LRESULT CALLBACK RecordTrackbarMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message >= WM_USER && sent->message <= TBM_SETBUDDY)
        trackbarMessages.push_back({sent->hwnd, sent->message, sent->wParam, sent->lParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The value of the last such message to the window, or -1 when there was none.
long long LastSent(HWND window, UINT message, bool inWParam) {
    long long value = -1;
    for (const Sent& s : trackbarMessages)
        if (s.window == window && s.message == message)
            value = inWParam ? static_cast<long long>(s.wParam) : s.lParam;
    return value;
}

std::vector<std::string> events;

}  // namespace

TEST(ControlStyles, FollowEnabledBorderAndAlignment) {
    Host host;
    struct Case {
        const char* name;
        GUIElement* control;
        DWORD style, exStyle;
    };
    Label plain(host.element(), "a"), disabled(host.element(), "b"), framed(host.element(), "c"),
        right(host.element(), "d");
    disabled.SetEnabled(false);
    framed.border = true;
    right.alignRight = true;
    right.alignCenter = true;
    Image picture(host.element(), 0), greyPicture(host.element(), 0);
    greyPicture.SetEnabled(false);
    Button push(host.element(), "OK"), drawn(host.element(), "START");
    drawn.ownerDrawn = true;
    Case cases[] = {
        {"label", &plain, 0x50000100, 0},
        {"disabled label", &disabled, 0x58000100, 0},
        {"label with border", &framed, 0x50800100, WS_EX_CLIENTEDGE},
        {"right wins over centre", &right, 0x50000102, 0},
        {"image", &picture, 0x5000010E, 0},
        {"disabled image", &greyPicture, 0x5800010E, 0},
        {"push button", &push, 0x50010000, 0},
        {"owner-drawn button", &drawn, 0x5001000B, 0},
    };
    for (const Case& c : cases) {
        c.control->Create();
        ASSERT_NE(c.control->window, nullptr) << c.name;
        EXPECT_EQ(StyleOf(c.control->window) & ~static_cast<DWORD>(BS_PUSHLIKE), c.style) << c.name;
        EXPECT_EQ(ExStyleOf(c.control->window) & WS_EX_CLIENTEDGE, c.exStyle) << c.name;
        EXPECT_EQ(GetDlgCtrlID(c.control->window), c.control->commandId) << c.name;
        EXPECT_EQ(GetParent(c.control->window), host.panel.window) << c.name;
    }
}

TEST(ControlCreation, IdentifiersAreTakenOncePerWindowAndAgainAfterAFailure) {
    Host host;
    Label label(host.element(), "Score"), next(host.element(), "Stake");
    const int before = nextControlId;
    label.Create();
    HWND made = label.window;
    label.Create();
    EXPECT_EQ(label.window, made);
    EXPECT_EQ(label.commandId, before + 1);
    next.Create();
    EXPECT_EQ(next.commandId, before + 2) << "consecutive labels, consecutive identifiers";
    EXPECT_EQ(GetWindowTextLengthW(made), 5);

    // An image whose parent has no window yet cannot be made, but it used an identifier.
    PanelChildren later(host.element());
    Image image(&later, kPictureResource);
    image.Create();
    EXPECT_FALSE(image.created);
    EXPECT_EQ(image.window, nullptr);
    EXPECT_EQ(image.commandId, before + 3);
    later.Create();
    image.Create();
    EXPECT_TRUE(image.created);
    EXPECT_EQ(image.commandId, before + 5) << "the panel took one in between";
    EXPECT_NE(ShownBitmap(image), nullptr);
}

TEST(ImagePicture, ShownOnlyOnceCreatedAndKeptByEmptyRequests) {
    Host host;
    Image image(host.element(), 0);
    image.SetImage(kPictureResource);
    EXPECT_EQ(image.bitmap, nullptr) << "nothing loads before the window exists";
    image.Create();
    ASSERT_NE(image.bitmap, nullptr);
    EXPECT_EQ(ShownBitmap(image), image.bitmap);
    BITMAP size{};
    GetObjectW(image.bitmap, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 12);

    HBITMAP shown = image.bitmap;
    image.SetImage(0);
    EXPECT_EQ(image.bitmap, shown);
    EXPECT_EQ(ShownBitmap(image), shown);
    image.SetImageFile("");
    EXPECT_EQ(image.resourceId, -1);
    EXPECT_EQ(ShownBitmap(image), shown);

    // A picture that is not there: the old one is released and the window lets go too.
    image.SetImage(4242);
    EXPECT_EQ(image.bitmap, nullptr);
    EXPECT_EQ(GetObjectType(shown), 0u);
    EXPECT_EQ(ShownBitmap(image), nullptr);
    image.SetImage(kPictureResource);
    EXPECT_NE(ShownBitmap(image), nullptr);
}

TEST(ImagePicture, DrawsTheResourceOnScreen) {
    Host host;
    Image image(host.element(), kPictureResource);
    image.MoveTo(20, 20);
    image.Create();
    DrainMessages();
    Canvas canvas(12, 8);
    canvas.CopyFrom(image.window);
    EXPECT_EQ(canvas.At(0, 0), kBlack);
    EXPECT_EQ(canvas.Count(RGB(255, 128, 0)), 10 * 6);
}

TEST(ButtonFace, FrameAndCaptionShowTheState) {
    Host host;
    Button button(host.element(), "GO");
    struct Case {
        const char* name;
        UINT state;
        COLORREF text, back, frame, caption;
    } cases[] = {
        {"normal", 0, kBlack, kGrey, kBlack, kBlack},
        {"disabled", ODS_DISABLED, kBlack, kGrey, 0x696969, 0x969696},
        {"pressed", ODS_SELECTED, kBlack, kGrey, kWhite, kBlack},
        {"pressed, white on red", ODS_SELECTED, kWhite, kRed, kBlack, kWhite},
        {"disabled wins over pressed", ODS_DISABLED | ODS_SELECTED, kWhite, kRed, 0x696969, 0x969696},
    };
    for (const Case& c : cases) {
        Canvas canvas(100, 40);
        canvas.Fill(kBlue);
        PaintButton(button, canvas, c.state, c.text, c.back);
        const RECT inside{1, 1, 99, 39};
        EXPECT_EQ(canvas.Count(c.frame) - canvas.Count(c.frame, inside), 2 * 100 + 2 * 38)
            << c.name << ": the whole outline in the frame colour";
        EXPECT_EQ(canvas.Count(kBlue, inside), 0) << c.name << ": filled inside";
        RECT caption = canvas.Bounds(c.caption, true, inside);
        ASSERT_LT(caption.left, caption.right) << c.name << ": caption drawn";
        EXPECT_LE(std::abs(caption.left - (100 - caption.right)), 2) << c.name << ": centred";
        EXPECT_EQ(GetTextColor(canvas.dc()), c.text) << c.name << ": context restored";
    }
}

TEST(ButtonFace, PictureMovesTheCaptionAndFocusIsMarked) {
    Host host;
    Button button(host.element(), "GO");
    button.bitmap = SolidPicture(16, 16, kBlue, true);
    Canvas canvas(100, 40);
    PaintButton(button, canvas, ODS_FOCUS, kBlack, kGrey);

    RECT picture = canvas.Bounds(kBlue);
    EXPECT_EQ(picture.left, 6) << "left + 5, its black border left out";
    EXPECT_EQ(picture.top, 13);
    EXPECT_EQ(canvas.At(5, 12), kGrey) << "black pixels show the fill";
    RECT caption = canvas.Bounds(kBlack, true, RECT{4, 4, 96, 36});
    EXPECT_GE(caption.left, 24) << "caption after the picture";
    EXPECT_LE(caption.left, 27) << "and left-aligned there";
    int marked = 0;  // the dotted focus rectangle, 3 pixels in
    for (int x = 3; x < 97; ++x) marked += canvas.At(x, 3) != kGrey;
    EXPECT_GT(marked, 20);

    button.SetEnabled(false);
    Canvas greyed(100, 40);
    PaintButton(button, greyed, ODS_DISABLED, kBlack, kGrey);
    EXPECT_EQ(greyed.Count(kBlue), 0) << "no disabled picture, none drawn";
    DeleteObject(button.bitmap);
}

TEST(ButtonCommand, OwnerDrawnDoubleClickFiresTwiceAndTheFaceIsPainted) {
    static int commands;
    commands = 0;
    Host host;
    host.panel.childBackColor = kGrey;
    host.panel.childTextColor = kBlue;
    Button button(host.element(), "GET CARD");
    button.ownerDrawn = true;
    button.command = [](GUIElement*) { ++commands; };
    button.MoveTo(30, 30);
    button.SetSize(100, 40);
    button.Create();
    DrainMessages();

    Canvas canvas(100, 40);
    canvas.CopyFrom(button.window);
    EXPECT_EQ(canvas.At(0, 0), kBlue) << "frame in the text colour the parent chose";
    EXPECT_EQ(canvas.At(50, 2), kGrey) << "fill in the parent's background";
    EXPECT_GT(canvas.Count(kBlue, RECT{2, 2, 98, 38}), 0) << "caption";

    const LPARAM at = MAKELPARAM(50, 20);
    SendMessageW(button.window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(button.window, WM_LBUTTONUP, 0, at);
    SendMessageW(button.window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(button.window, WM_LBUTTONUP, 0, at);
    DrainMessages();
    EXPECT_EQ(commands, 2);
}

TEST(TextBoxStyle, FlagsMapToEditStyles) {
    Host host;
    struct Case {
        const char* name;
        bool multiline, wordWrap, upper, lower;
        DWORD present, absent;
    } cases[] = {
        {"single line", false, false, false, false, ES_AUTOHSCROLL | WS_BORDER, ES_MULTILINE},
        {"multiline", true, false, false, false,
         ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_AUTOHSCROLL, 0},
        {"multiline, word wrap", true, true, false, false, ES_MULTILINE, ES_AUTOHSCROLL},
        {"upper wins over lower", false, false, true, true, ES_UPPERCASE, ES_LOWERCASE},
        {"lower", false, false, false, true, ES_LOWERCASE, ES_UPPERCASE},
    };
    for (const Case& c : cases) {
        TextBox box(host.element(), "text");
        box.multiline = c.multiline;
        box.wordWrap = c.wordWrap;
        box.uppercase = c.upper;
        box.lowercase = c.lower;
        box.Create();
        ASSERT_NE(box.window, nullptr) << c.name;
        const DWORD style = StyleOf(box.window);
        EXPECT_EQ(style & c.present, c.present) << c.name;
        EXPECT_EQ(style & c.absent, 0u) << c.name;
        EXPECT_EQ(style & 0xFFFF0000, 0x50810000u) << c.name;
        EXPECT_EQ(ExStyleOf(box.window) & WS_EX_CLIENTEDGE, DWORD(WS_EX_CLIENTEDGE)) << c.name;
        DestroyWindow(box.window);
    }
}

TEST(ChoiceBoxMessages, PicksAreReportedAndReadAndAnOpenListKeepsItsEnter) {
    static std::vector<int> chosen;
    static int charactersHeard;
    chosen.clear();
    charactersHeard = 0;
    Host host;
    ChoiceBox box(host.element());
    box.SetChoices({"Never", "When the deck is used up", "After some rounds"});
    box.Select(1);
    box.Chosen = [](ChoiceBox*, int index) { chosen.push_back(index); };
    box.CharTyped = [](GUIElement*, int) { return ++charactersHeard, true; };
    box.MoveTo(10, 10);
    box.Create();
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(StyleOf(box.window) & 0xF, DWORD(CBS_DROPDOWNLIST));
    EXPECT_EQ(AccessibleRole(box), kRoleComboBox);
    RECT field{};
    GetWindowRect(box.window, &field);
    EXPECT_EQ(field.bottom - field.top, ToPixels(box.fieldHeight, ElementDpi(box))) << "the closed box";

    struct Case {
        const char* name;
        int key;  // 0: Select(pick) instead
        int pick;
        std::vector<int> reported;
        const char* value;
    } cases[] = {
        {"set before the window", 0, 1, {}, "When the deck is used up"},
        {"down", VK_DOWN, 0, {2}, "After some rounds"},
        {"down at the end", VK_DOWN, 0, {2}, "After some rounds"},
        {"home", VK_HOME, 0, {2, 0}, "Never"},
        {"selected by the program", 0, 2, {2, 0}, "After some rounds"},
        {"out of range", 0, 7, {2, 0}, "After some rounds"},
    };
    for (const Case& c : cases) {
        if (c.key != 0) {
            SendMessageW(box.window, WM_KEYDOWN, static_cast<WPARAM>(c.key), 0);
            SendMessageW(box.window, WM_KEYUP, static_cast<WPARAM>(c.key), 0);
        } else if (c.pick != 1) {
            box.Select(c.pick);
        }
        DrainMessages();
        EXPECT_EQ(chosen, c.reported) << c.name;
        EXPECT_EQ(WideToUtf8(AccessibleValue(box)), c.value) << c.name;
        EXPECT_EQ(SendMessageW(box.window, CB_GETCURSEL, 0, 0), box.Selected()) << c.name;
    }

    // Enter that closes the open list stays with the box; on the closed box it goes on.
    SendMessageW(box.window, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(box.window, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(box.window, WM_CHAR, '\r', 0);
    EXPECT_EQ(charactersHeard, 0);
    EXPECT_EQ(SendMessageW(box.window, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    SendMessageW(box.window, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(box.window, WM_CHAR, '\r', 0);
    EXPECT_EQ(charactersHeard, 1);
}

TEST(SliderRange, StepMessagesOnlyForRangesOfTenOrMore) {
    Host host;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordTrackbarMessage, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    struct Case {
        int minimum, maximum, step;
    } cases[] = {{1, 8, -1}, {0, 9, -1}, {0, 10, 1}, {0, 100, 10}};
    for (const Case& c : cases) {
        trackbarMessages.clear();
        Slider slider(host.element());
        slider.minimum = c.minimum;
        slider.maximum = c.maximum;
        slider.Create();
        ASSERT_NE(slider.window, nullptr);
        EXPECT_EQ(LastSent(slider.window, TBM_SETPAGESIZE, false), c.step) << c.maximum;
        EXPECT_EQ(LastSent(slider.window, TBM_SETTICFREQ, true), c.step) << c.maximum;
        EXPECT_EQ(SendMessageW(slider.window, TBM_GETRANGEMIN, 0, 0), c.minimum);
        EXPECT_EQ(SendMessageW(slider.window, TBM_GETRANGEMAX, 0, 0), c.maximum);
        DestroyWindow(slider.window);
    }
    UnhookWindowsHookEx(hook);
}

TEST(SliderPosition, StaysWithinTheRange) {
    Host host;
    Slider slider(host.element());
    slider.position = 12;
    slider.Create();
    EXPECT_EQ(slider.position, 8) << "a stored position is clamped on creation";
    EXPECT_EQ(SendMessageW(slider.window, TBM_GETPOS, 0, 0), 8);
    struct Case {
        int requested, stored;
    } cases[] = {{0, 1}, {9, 8}, {-100, 1}, {5, 5}, {8, 8}};
    for (const Case& c : cases) {
        slider.SetPosition(c.requested);
        EXPECT_EQ(slider.position, c.stored) << c.requested;
        EXPECT_EQ(SendMessageW(slider.window, TBM_GETPOS, 0, 0), c.stored) << c.requested;
    }
}

TEST(SliderEvents, KeyPressesReportTheNewPositionOnceWhenTheyEnd) {
    Host host;
    Slider slider(host.element());
    slider.MoveTo(60, 60);
    slider.SetSize(120, 40);
    slider.ValueChanged = [](GUIElement*, int position) {
        events.push_back("value " + std::to_string(position));
    };
    slider.TextChanged = [](GUIElement*) {
        events.push_back("text");
        return 0;
    };
    slider.Create();
    DrainMessages();
    events.clear();
    SetFocus(slider.window);
    for (int press = 0; press < 4; ++press) SendMessageW(slider.window, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(events.empty()) << "nothing while the thumb moves";
    SendMessageW(slider.window, WM_KEYUP, VK_RIGHT, 0xC0000001);
    DrainMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"value 5", "text"}));
    EXPECT_EQ(slider.position, 5);

    // Without a ValueChanged event the owner still hears TextChanged.
    slider.ValueChanged = nullptr;
    events.clear();
    SendMessageW(slider.window, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageW(slider.window, WM_KEYUP, VK_LEFT, 0xC0000001);
    DrainMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"text"}));
}

TEST(SliderLabels, ShowTheEndsOrStayHidden) {
    Host host;
    for (bool shown : {true, false}) {
        Slider slider(host.element());
        slider.MoveTo(100, 200);
        slider.SetSize(100, 40);
        slider.showLabels = shown;
        slider.Create();
        DrainMessages();
        ASSERT_TRUE(slider.minLabel->created);
        ASSERT_TRUE(slider.maxLabel->created);
        EXPECT_EQ(slider.minLabel->GetTextNarrow(), "1");
        EXPECT_EQ(slider.maxLabel->GetTextNarrow(), "8");
        EXPECT_EQ(IsWindowVisible(slider.minLabel->window) != 0, shown);
        EXPECT_EQ(IsWindowVisible(slider.maxLabel->window) != 0, shown);
        // The low end left of the trackbar, the high end right of it.
        RECT low, high, bar;
        GetWindowRect(slider.minLabel->window, &low);
        GetWindowRect(slider.maxLabel->window, &high);
        GetWindowRect(slider.window, &bar);
        EXPECT_LE(low.right, bar.left);
        EXPECT_GE(high.left, bar.right);
        DestroyWindow(slider.window);
    }
}

namespace {
// The events a screen reader hears of the elements' client objects, by window.
std::vector<std::pair<DWORD, HWND>> heardEvents;
void CALLBACK HearEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) heardEvents.emplace_back(event, window);
}
}  // namespace

// A setter that leaves the element as it was raises nothing; each real change raises the
// one event that tells it.
TEST(AccessibleEvents, OnlyForRealChanges) {
    Host host;
    Button button(host.element(), "OK");
    Image image(host.element(), kPictureResource);
    Slider slider(host.element());
    for (GUIElement* element : std::initializer_list<GUIElement*>{&button, &image, &slider})
        element->Create();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, HearEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    struct Case {
        const char* what;
        void (*change)(Button&, Image&, Slider&);
        DWORD event;  // 0: none
    } const cases[] = {
        {"shown again", [](Button& b, Image&, Slider&) { b.Show(); }, 0},
        {"enabled again", [](Button& b, Image&, Slider&) { b.SetEnabled(true); }, 0},
        {"the same caption", [](Button& b, Image&, Slider&) { b.SetTextNarrow("OK"); }, 0},
        {"the same picture", [](Button&, Image& i, Slider&) { i.SetImage(kPictureResource); }, 0},
        {"the same position", [](Button&, Image&, Slider& s) { s.SetPosition(s.position); }, 0},
        {"hidden", [](Button& b, Image&, Slider&) { b.Hide(); }, EVENT_OBJECT_HIDE},
        {"hidden again", [](Button& b, Image&, Slider&) { b.Hide(); }, 0},
        {"shown", [](Button& b, Image&, Slider&) { b.Show(); }, EVENT_OBJECT_SHOW},
        {"disabled", [](Button& b, Image&, Slider&) { b.SetEnabled(false); }, EVENT_OBJECT_STATECHANGE},
        {"another caption", [](Button& b, Image&, Slider&) { b.SetTextNarrow("Go"); },
         EVENT_OBJECT_NAMECHANGE},
        {"another picture", [](Button&, Image& i, Slider&) { i.SetImage(kPictureResource + 1); },
         EVENT_OBJECT_NAMECHANGE},
        {"another position", [](Button&, Image&, Slider& s) { s.SetPosition(s.position + 2); },
         EVENT_OBJECT_VALUECHANGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DrainMessages();
        heardEvents.clear();
        c.change(button, image, slider);
        DrainMessages();
        std::vector<DWORD> heard;
        for (const auto& [event, window] : heardEvents)
            if (window == button.window || window == image.window || window == slider.window)
                heard.push_back(event);
        EXPECT_EQ(heard, c.event == 0 ? std::vector<DWORD>{} : std::vector<DWORD>{c.event});
    }
    UnhookWinEvent(hook);
}

// A caption is read without the "&" that marks its access key, on every kind of element; a
// name given to an element is read as given.
TEST(AccessibleNames, CaptionsAreReadWithoutTheirAccessMark) {
    Host host;
    Button button(host.element(), "");
    Label label(host.element(), "");
    button.Create();
    label.Create();
    const struct {
        const char* caption;
        const wchar_t* read;
    } cases[] = {{"&Show my card", L"Show my card"},
                 {"P&osta massima", L"Posta massima"},
                 {"Fish && Chips", L"Fish & Chips"},
                 {"Last&", L"Last&"},
                 {"START", L"START"}};
    for (const auto& c : cases) {
        for (GUIElement* element : std::initializer_list<GUIElement*>{&button, &label}) {
            element->SetTextNarrow(c.caption);
            EXPECT_EQ(AccessibleName(*element), c.read) << c.caption;
        }
    }
    SetAccessibleName(button, "Tom & Jerry");
    EXPECT_EQ(AccessibleName(button), L"Tom & Jerry");
}
