// The window procedure, seen through the events it fires: tab order, character preview,
// paint-time mouse reports and activation. Each test compares the log with its table.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

using namespace coretest;

namespace {

const int relaunched = RunInsideVirtualDesktop();

using Lines = std::vector<std::string>;

int LogGotFocus(GUIElement* e) {
    Note(e, "got focus");
    return 0;
}
void LogLostFocus(GUIElement* e) { Note(e, "lost focus"); }
int LogKeyDown(GUIElement* e, int key) {
    Note(e, "key down " + std::to_string(key));
    return 0;
}
bool LogChar(GUIElement* e, int c) {
    Note(e, std::string("char ") + static_cast<char>(c));
    return c != 'x';  // the children swallow x
}
bool LogCharAcceptAll(GUIElement* e, int c) {
    Note(e, std::string("char ") + static_cast<char>(c));
    return false;  // the form's answer must not count
}
int LogMouseMove(GUIElement* e, int mx, int my) {
    Note(e, "mouse move " + std::to_string(mx) + "," + std::to_string(my));
    return 0;
}
void LogPainted(GUIElement* e) { Note(e, "painted"); }
int LogActivated(GUIElement* e) {
    Note(e, "activated");
    return 0;
}
int LogDeactivated(GUIElement* e) {
    Note(e, "deactivated");
    return 0;
}

// The last activation event each form saw (the platform may send several on the way).
std::string LastEventOf(const std::string& form) {
    for (auto line = Log().rbegin(); line != Log().rend(); ++line)
        if (line->rfind(form + " ", 0) == 0) return *line;
    return "";
}

Owned<NativeControl> MakeButton(Form& form, const std::string& caption, int left) {
    Owned<NativeControl> button(new NativeControl(&form, L"button", WS_TABSTOP));
    button->SetTextNarrow(caption);
    button->MoveTo(left, 10);
    button->GotFocus = LogGotFocus;
    button->LostFocus = LogLostFocus;
    button->KeyDown = LogKeyDown;
    button->Create();
    return button;
}

void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST(TabKey, MovesTheFocusForwardAndBackWithinTheParent) {
    Owned<Form> form = MakeForm("tabs");
    form->Create();
    Owned<NativeControl> first = MakeButton(*form, "one", 10);
    Owned<NativeControl> second = MakeButton(*form, "two", 110);
    first->Focus();
    Pump();
    Log().clear();

    SendMessageW(first->window, WM_KEYDOWN, VK_TAB, 0);
    SetShift(true);
    SendMessageW(second->window, WM_KEYDOWN, VK_TAB, 0);
    SetShift(false);
    Pump();
    EXPECT_EQ(Log(), (Lines{"one lost focus", "two got focus", "one key down 9", "two lost focus",
                            "one got focus", "two key down 9"}));
}

// A text field reached by Tab or by its label's access key has its whole text selected, so
// what is typed next replaces it, as in a dialog.
TEST(TabKey, AFieldReachedByTheKeyboardHasItsWholeTextSelected) {
    Owned<Form> form = MakeForm("fields");
    form->accessKeys = true;
    form->Create();
    Owned<NativeControl> button = MakeButton(*form, "one", 10);
    Owned<NativeControl> label(new NativeControl(form.get(), L"static"));
    label->SetTextNarrow("&Name");
    label->Create();
    Owned<NativeControl> field(new NativeControl(form.get(), L"edit", WS_TABSTOP));
    field->SetTextNarrow("Player 1");
    field->Create();
    for (const UINT key : {WM_KEYDOWN, WM_SYSCHAR}) {
        button->Focus();
        SendMessageW(field->window, EM_SETSEL, 8, 8);
        SendMessageW(button->window, key, key == WM_KEYDOWN ? VK_TAB : 'n', 0);
        DWORD from = 1, to = 0;
        SendMessageW(field->window, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        EXPECT_TRUE(field->HasFocus()) << key;
        EXPECT_EQ(from, 0u) << key;
        EXPECT_EQ(to, 8u) << key;
    }
}

TEST(KeyPreview, ChildrenAndTheirPreviewingParentBothSeeCharacters) {
    Owned<Form> form = MakeForm("preview");
    form->keyPreview = true;
    form->CharTyped = LogCharAcceptAll;
    form->Create();
    Owned<NativeControl> edit(new NativeControl(form.get(), L"edit"));
    edit->SetTextNarrow("box");
    edit->CharTyped = LogChar;
    edit->Create();
    SendMessageW(edit->window, EM_SETSEL, 3, 3);
    Log().clear();

    SendMessageW(edit->window, WM_CHAR, 'a', 0);
    EXPECT_EQ(SendMessageW(edit->window, WM_CHAR, 'x', 0), 1) << "swallowed by the child";
    EXPECT_EQ(Log(), (Lines{"box char a", "preview char a", "boxa char x", "preview char x"}));
    EXPECT_EQ(edit->GetTextNarrow(), "boxa");

    form->keyPreview = false;
    Log().clear();
    SendMessageW(edit->window, WM_CHAR, 'b', 0);
    EXPECT_EQ(Log(), (Lines{"boxa char b"}));
}

TEST(Painting, EveryPaintAlsoReportsAMouseMoveToTheOrigin) {
    Owned<Form> form = MakeForm("paint");
    form->Painted = LogPainted;
    form->MouseMove = LogMouseMove;
    form->Create();
    Pump();
    Log().clear();
    InvalidateRect(form->window, nullptr, TRUE);
    UpdateWindow(form->window);
    EXPECT_EQ(Log(), (Lines{"paint painted", "paint mouse move 0,0"}));
}

// A control's window may outlive its element; it keeps answering through its own class,
// and a later control of another class keeps its own procedure too.
TEST(Subclassing, AControlWhoseElementIsGoneStillAnswersThroughItsClass) {
    Owned<Form> form = MakeForm("subclass");
    form->Create();
    auto* box = new NativeControl(form.get(), L"button", BS_AUTOCHECKBOX);
    box->SetTextNarrow("box");
    box->Create();
    HWND boxWindow = box->window;
    DeleteElement(box);

    SendMessageW(boxWindow, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(boxWindow, BM_GETCHECK, 0, 0), BST_CHECKED);

    Owned<NativeControl> field(new NativeControl(form.get(), L"edit"));
    field->Create();
    SendMessageW(field->window, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessageW(field->window, EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(boxWindow, BM_GETCHECK, 0, 0), BST_CHECKED);
    DestroyWindow(boxWindow);
}

// A window class of the test's own that counts the frame paints its procedure receives.
int framePaints = 0;
LRESULT CALLBACK CountFramePaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT) ++framePaints;
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* FramePaintClass() {
    static const bool registered = [] {
        WNDCLASSW frameClass{};
        frameClass.lpfnWndProc = CountFramePaints;
        frameClass.hInstance = GetModuleHandleW(nullptr);
        frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        frameClass.lpszClassName = L"FramePaintCounter";
        return RegisterClassW(&frameClass) != 0;
    }();
    return registered ? L"FramePaintCounter" : nullptr;
}

int FramePaintsAfterRedraw(HWND window) {
    framePaints = 0;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    return framePaints;
}

// A control with a border still gets its frame painted by its class; one that is all
// client area has no frame to paint, and its class is spared the request.
TEST(Painting, OnlyControlsWithAFrameHaveItPainted) {
    Owned<Form> form = MakeForm("frames");
    form->Create();
    Owned<NativeControl> framed(new NativeControl(form.get(), FramePaintClass(), WS_BORDER));
    framed->MoveTo(10, 10);
    framed->SetSize(60, 40);
    framed->Create();
    Owned<NativeControl> bare(new NativeControl(form.get(), FramePaintClass()));
    bare->MoveTo(100, 10);
    bare->SetSize(60, 40);
    bare->Create();
    Pump();

    EXPECT_EQ(FramePaintsAfterRedraw(framed->window), 1);
    EXPECT_EQ(FramePaintsAfterRedraw(bare->window), 0);
    HDC screen = GetDC(form->window);
    EXPECT_NE(GetPixel(screen, 10, 30), RGB(255, 255, 255)) << "the border is drawn";
    EXPECT_EQ(GetPixel(screen, 11, 30), RGB(255, 255, 255)) << "inside it, the white client area";
    EXPECT_EQ(GetPixel(screen, 100, 30), RGB(255, 255, 255)) << "the bare control is white to its edge";
    ReleaseDC(form->window, screen);
}

TEST(Activation, TracksTheActiveFormHotKeysAndTheCompanion) {
    if (!InsideVirtualDesktop()) GTEST_SKIP() << "activation needs a Wine desktop or Windows";
    Owned<Form> owner = MakeForm("owner");
    owner->hotKeys.push_back(HotKey{MOD_CONTROL | MOD_ALT, 'Q', nullptr});
    owner->Activated = LogActivated;
    owner->Deactivated = LogDeactivated;
    owner->Create();
    Owned<Form> companion = MakeForm("companion");
    companion->Create();
    Owned<Form> other = MakeForm("other");
    other->Activated = LogActivated;
    other->Deactivated = LogDeactivated;
    other->Create();
    owner->companionForm = companion.get();
    Pump();
    Log().clear();

    SetForegroundWindow(owner->window);
    Pump(200);  // the desktop may confirm the activation more than once
    EXPECT_EQ(activeForm, owner.get());
    // The desktop may raise the owner again after its activation message; the placement
    // is checked right after the toolkit's own handling of one.
    SendMessageW(owner->window, WM_ACTIVATE, WA_ACTIVE, 0);
    HWND below = GetWindow(owner->window, GW_HWNDNEXT);
    wchar_t title[32] = {};
    GetWindowTextW(below, title, 32);
    EXPECT_EQ(below, companion->window) << "companion right below, not " << Narrow(title);
    EXPECT_FALSE(RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, 'Q')) << "held by the active form";
    EXPECT_EQ(LastEventOf("owner"), "owner activated");
    EXPECT_EQ(LastEventOf("other"), "other deactivated");

    SetForegroundWindow(other->window);
    Pump(200);
    EXPECT_EQ(activeForm, other.get());
    EXPECT_TRUE(RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, 'Q')) << "released on deactivation";
    UnregisterHotKey(nullptr, 77);
    EXPECT_EQ(LastEventOf("owner"), "owner deactivated");
    EXPECT_EQ(LastEventOf("other"), "other activated");
}

// Hot keys reach the handler of the entry their id names while the form is in front.
// With another form in front, that form's first entry for the same keys answers; with
// no form in front, or an id outside the list, nothing does.
void LogHotKey(Form* form, unsigned modifiers, unsigned key) {
    Note(form, "hot key " + std::to_string(modifiers) + "+" + static_cast<char>(key));
}
void LogLaterHotKey(Form* form, unsigned, unsigned) { Note(form, "later entry"); }

TEST(HotKeys, GoToTheEntryOfTheirIdOrToTheFormInFront) {
    if (!InsideVirtualDesktop()) GTEST_SKIP() << "the foreground needs a Wine desktop or Windows";
    Owned<Form> owner = MakeForm("owner");
    owner->hotKeys = {{MOD_CONTROL, 'K', LogHotKey}, {MOD_ALT, 'J', LogHotKey}};
    owner->Create();
    Owned<Form> front = MakeForm("front");
    front->hotKeys = {{MOD_SHIFT, 'Z', LogHotKey}, {MOD_ALT, 'J', LogHotKey}, {MOD_ALT, 'J', LogLaterHotKey}};
    front->Create();
    HWND plain = CreateWindowExW(0, L"static", L"plain", WS_POPUP | WS_VISIBLE, 400, 400, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    struct Case {
        HWND foreground;
        int id;
        Lines handled;
    };
    const Case cases[] = {
        {owner->window, 1, {"owner hot key 2+K"}},
        {owner->window, 2, {"owner hot key 1+J"}},
        {owner->window, 0, {}},
        {owner->window, 3, {}},
        {owner->window, -1, {}},
        {front->window, 2, {"front hot key 1+J"}},
        {front->window, 1, {}},  // the form in front has no Ctrl+K
        {front->window, 3, {}},
        {plain, 2, {}},
    };
    for (const Case& c : cases) {
        SetForegroundWindow(c.foreground);
        Pump(100);
        ASSERT_EQ(GetForegroundWindow(), c.foreground);
        Log().clear();
        SendMessageW(owner->window, WM_HOTKEY, static_cast<WPARAM>(c.id), 0);
        EXPECT_EQ(Log(), c.handled) << "id " << c.id;
    }

    // A real key press, with the keys registered because the form came to the front.
    SetForegroundWindow(owner->window);
    Pump(100);
    Log().clear();
    INPUT keys[4] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = keys[2].ki.wVk = 'K';
    keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    Pump(200);
    EXPECT_EQ(Log(), (Lines{"owner hot key 2+K"}));
    DestroyWindow(plain);
}

}  // namespace
