// Forms: the first form of the process, creation styles, closing, sizing and the message
// loop's deferred deletions. The first test must run first in a fresh process.
#include "CoreTestSupport.h"
#include "Label.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace coretest;

namespace {

const int relaunched = RunInsideVirtualDesktop();

struct CreatedProbe {
    int calls = 0;
    bool windowStoredByCreate = true;  // false when the event ran inside CreateWindowExW
    bool windowMatches = false;
};
CreatedProbe probe;

void ProbeCreated(GUIElement* element, HWND window) {
    ++probe.calls;
    probe.windowStoredByCreate = element->created;
    probe.windowMatches = window != nullptr && element->window == window;
}

TEST(AFirstForm, NamesItsClassWindow0TakesId1AndFiresCreatedOnceDuringCreation) {
    ASSERT_EQ(nextControlId, 0) << "this test must be the first of a fresh process";
    Owned<Form> form = MakeForm("first");
    form->Created = ProbeCreated;
    form->Create();

    wchar_t className[64] = {};
    GetClassNameW(form->window, className, 64);
    EXPECT_STREQ(className, L"Window0");
    EXPECT_EQ(form->commandId, 1);
    EXPECT_EQ(mainWindow, form->window);
    // WM_CREATE came before Create stored the handle, and still reached this form.
    EXPECT_EQ(probe.calls, 1);
    EXPECT_FALSE(probe.windowStoredByCreate);
    EXPECT_TRUE(probe.windowMatches);
    form->Create();  // a second Create makes nothing
    EXPECT_EQ(nextControlId, 1);
    DestroyWindow(form->window);
    mainWindow = nullptr;
    Pump();
}

// Creation style and extended style as handed to the system, caught by a CBT hook.
struct CreationStyle {
    DWORD style = 0;
    DWORD extendedStyle = 0;
};
CreationStyle captured;

LRESULT CALLBACK CaptureCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t className[64] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, 64);
        if (std::wstring(className).rfind(L"Window", 0) == 0)
            captured = {static_cast<DWORD>(create->style), create->dwExStyle};
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

Owned<Form> NewForm(bool dialog) {
    return Owned<Form>(dialog ? new Form(GetModuleHandleW(nullptr), kDialogForm)
                              : new Form(GetModuleHandleW(nullptr)));
}

struct StyleCase {
    const char* name;
    bool dialog;
    std::function<void(Form&)> configure;
    DWORD style;
    DWORD extendedStyle;
};

TEST(FormCreation, ChoosesStylesFromItsFlags) {
    const StyleCase cases[] = {
        {"plain defaults", false, [](Form&) {}, 0x10CF0000, 0},
        {"no maximize", false, [](Form& f) { f.maximizeBox = false; }, 0x10CA0000, 0},
        {"dialog defaults", true, [](Form&) {}, 0x10C90000, 0x89},
        {"about-box dialog", true,
         [](Form& f) {
             f.minimizeBox = f.maximizeBox = f.dialogTopmost = false;
             f.modalFrame = true;
         },
         0x10C80080, 0x81},
        {"no title bar", false, [](Form& f) { f.titleBar = false; }, WS_POPUP, 0},
        {"disabled", false, [](Form& f) { f.SetEnabled(false); }, 0x10CF0000 | WS_DISABLED, 0},
        {"made hidden", false, [](Form& f) { f.visible = false; }, 0x00CF0000, 0},
    };
    HHOOK hook = SetWindowsHookExW(WH_CBT, CaptureCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (const StyleCase& c : cases) {
        Owned<Form> form = NewForm(c.dialog);
        c.configure(*form);
        captured = {};
        form->Create();
        EXPECT_EQ(captured.style & ~static_cast<DWORD>(WS_CLIPSIBLINGS), c.style) << c.name;
        // The system adds the raised window edge to every captioned or framed window.
        EXPECT_EQ(captured.extendedStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), c.extendedStyle) << c.name;
        EXPECT_EQ(form->visible, IsWindowVisible(form->window) != FALSE)
            << c.name << ": shown after creation";
    }
    UnhookWindowsHookEx(hook);
    Pump();
}

bool RefuseClose(GUIElement*) { return false; }
bool AllowClose(GUIElement*) { return true; }
int destroyedEvents = 0;
int CountDestroyed(GUIElement*) { return ++destroyedEvents; }

TEST(FormClosing, RefusedCloseKeepsTheWindowAndAnsweredOne) {
    Owned<Form> form = MakeForm("closing");
    form->Closing = RefuseClose;
    form->Destroyed = CountDestroyed;
    form->Create();
    destroyedEvents = 0;
    EXPECT_EQ(SendMessageW(form->window, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(form->window));
    EXPECT_FALSE(form->destroyed);

    form->Closing = AllowClose;
    EXPECT_EQ(SendMessageW(form->window, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(form->window));
    EXPECT_EQ(destroyedEvents, 1);
    EXPECT_TRUE(form->destroyed);
}

bool QuitIsQueued() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

TEST(FormClosing, OnlyTheFirstFormWindowEndsTheLoop) {
    mainWindow = nullptr;
    Owned<Form> first = MakeForm("first");
    first->Create();
    Owned<Form> second = MakeForm("second");
    second->Create();
    Pump();
    DestroyWindow(second->window);
    EXPECT_FALSE(QuitIsQueued()) << "a later form does not end the loop";

    Owned<Form> third = MakeForm("third");
    third->Create();
    DestroyWindow(first->window);
    EXPECT_TRUE(QuitIsQueued()) << "although another form is still open";
    EXPECT_TRUE(IsWindow(third->window));
    mainWindow = nullptr;
}

// A form that records how the message loop disposes of it.
class DisposedForm : public Form {
public:
    explicit DisposedForm(std::vector<std::string>* record) : Form(GetModuleHandleW(nullptr)), log(record) {
        owned = new NativeControl(this, L"static");
    }
    ~DisposedForm() {
        log->push_back("form destructor");
        DeleteElement(owned);  // a second release would free this twice
    }
    void ReleaseElements() override {
        log->push_back("release elements");
        DeleteElement(owned);
        owned = nullptr;
    }
    std::vector<std::string>* log;
    NativeControl* owned;
};

class DisposedControl : public NativeControl {
public:
    DisposedControl(GUIElement* parentElement, std::vector<std::string>* record)
        : NativeControl(parentElement, L"static"), log(record) {}
    ~DisposedControl() { log->push_back("control destructor"); }
    std::vector<std::string>* log;
};

TEST(MessageLoop, DeletesDeferredElementsThroughTheirOwnClassesAfterTheLoop) {
    std::vector<std::string> record;
    auto* form = new DisposedForm(&record);
    form->Create();
    GUIElement* formElement = form;
    DeferDelete(form);
    DeferDelete(new DisposedControl(form, &record));
    DeferDelete<DisposedControl>(nullptr);  // ignored

    PostMessageW(form->window, WM_CLOSE, 0, 0);
    PostQuitMessage(0);
    RunMessageLoop(form);  // dialogStyle off: every message is dispatched
    mainWindow = nullptr;

    EXPECT_EQ(record,
              (std::vector<std::string>{"release elements", "form destructor", "control destructor"}));
    EXPECT_TRUE(DeferredDeletes.empty());
    for (GUIElement* live : ElementRegistry) EXPECT_NE(live, formElement);
}

TEST(FormSizing, SetClientSizeGivesExactlyTheClientAreaAskedFor) {
    Owned<Form> notYet = MakeForm("not yet");
    notYet->SetClientSize(640, 480);
    EXPECT_EQ(notYet->width, 300);
    EXPECT_EQ(notYet->height, 200);

    for (bool dialog : {false, true}) {
        Owned<Form> form = NewForm(dialog);
        form->maximizeBox = false;
        form->Create();
        form->SetClientSize(321, 123);
        RECT client{};
        GetClientRect(form->window, &client);
        EXPECT_EQ(client.right - client.left, 321) << "dialog " << dialog;
        EXPECT_EQ(client.bottom - client.top, 123) << "dialog " << dialog;
    }
}

TEST(FormSizing, AClientAreaThatAlreadyFitsIsNeitherMovedNorRepainted) {
    Owned<Form> form = NewForm(false);
    form->Create();
    form->SetClientSize(321, 123);
    Pump();
    RECT before{};
    GetWindowRect(form->window, &before);
    ValidateRect(form->window, nullptr);

    form->SetClientSize(321, 123);
    RECT after{};
    GetWindowRect(form->window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_FALSE(GetUpdateRect(form->window, nullptr, FALSE)) << "the whole form would be painted again";
}

// A form that takes its client size while it is being created, as the game's table does.
int fittedPaints = 0;
bool visibleWhileFitting = true;
void FitWhileCreated(GUIElement* element, HWND window) {
    visibleWhileFitting = IsWindowVisible(window) != FALSE;
    static_cast<Form*>(element)->FitWindowToClient(333, 222);
}
void CountFittedPaint(GUIElement*) { ++fittedPaints; }

TEST(FormSizing, FittingTheClientAreaDuringCreationShowsThatSizeAndPaintsOnce) {
    Owned<Form> notYet = MakeForm("not yet");
    notYet->FitWindowToClient(333, 222);
    EXPECT_EQ(notYet->width, 300) << "no window: nothing to fit";

    fittedPaints = 0;
    Owned<Form> form = MakeForm("fitted");
    form->Created = FitWhileCreated;
    form->Painted = CountFittedPaint;
    form->Create();
    Pump();
    EXPECT_FALSE(visibleWhileFitting);
    RECT client{}, outer{};
    GetClientRect(form->window, &client);
    GetWindowRect(form->window, &outer);
    EXPECT_EQ(client.right, 333);
    EXPECT_EQ(client.bottom, 222);
    EXPECT_EQ(form->width, outer.right - outer.left);
    EXPECT_EQ(form->height, outer.bottom - outer.top);
    EXPECT_EQ(fittedPaints, 1);

    form->SetClientSize(333, 222);  // what a constructor does after Create: nothing left
    Pump();
    EXPECT_EQ(fittedPaints, 1);
}

TEST(FormSizing, CenterOnScreenBeforeCreationOnlyStoresThePosition) {
    Owned<Form> form = MakeForm("centred");
    form->SetSize(601, 301);
    form->CenterOnScreen();
    EXPECT_EQ(form->x, (GetSystemMetrics(SM_CXSCREEN) - 601) / 2);
    EXPECT_EQ(form->y, (GetSystemMetrics(SM_CYSCREEN) - 301) / 2);
    EXPECT_EQ(form->window, nullptr);
    form->Create();
    RECT outer{};
    GetWindowRect(form->window, &outer);
    EXPECT_EQ(outer.left, form->x);
    EXPECT_EQ(outer.top, form->y);
}

}  // namespace

namespace {

// A layout of 400 x 300 units fitted to client areas of every shape: the child keeps its
// place on the layout, scaled as a whole and centred, and comes back to the pixel after a
// round of sizes; the least client area bounds a resize by the frame's own size.
TEST(FormSizing, AFittedLayoutScalesAsAWholeAndCentres) {
    Owned<Form> form = MakeForm("fitted layout");
    form->Create();
    auto* child = new Label(form.get(), "child");
    child->SetSize(200, 40);
    child->MoveTo(100, 50);
    child->Create();
    const struct {
        int clientWidth, clientHeight, dpi, left, top;
    } cases[] = {
        {400, 300, 96, 0, 0},   {800, 300, 96, 200, 0}, {800, 600, 192, 0, 0},
        {600, 600, 144, 0, 75}, {401, 300, 96, 0, 0},   {400, 300, 96, 0, 0},
    };
    for (const auto& c : cases) {
        form->SetClientSize(c.clientWidth, c.clientHeight);
        form->FitLayout(400, 300);
        Pump();
        RECT place{};
        GetWindowRect(child->window, &place);
        MapWindowPoints(nullptr, form->window, reinterpret_cast<POINT*>(&place), 2);
        const std::string at = std::to_string(c.clientWidth) + " x " + std::to_string(c.clientHeight);
        EXPECT_EQ(form->layoutDpi, c.dpi) << at;
        EXPECT_EQ(place.left, c.left + MulDiv(100, c.dpi, 96)) << at;
        EXPECT_EQ(place.top, c.top + MulDiv(50, c.dpi, 96)) << at;
        EXPECT_EQ(place.right - place.left, MulDiv(200, c.dpi, 96)) << at;
        EXPECT_EQ(child->x, 100) << at << ": the layout's place follows the window";
        EXPECT_EQ(child->y, 50) << at;
    }
    // Moved while the layout is scaled and off the corner: it lands on the layout as well.
    form->SetClientSize(600, 600);
    form->FitLayout(400, 300);
    child->MoveTo(120, 60);
    RECT moved{};
    GetWindowRect(child->window, &moved);
    MapWindowPoints(nullptr, form->window, reinterpret_cast<POINT*>(&moved), 2);
    EXPECT_EQ(moved.left, 180);
    EXPECT_EQ(moved.top, 75 + 90);
    form->leastClient = SIZE{300, 200};
    MINMAXINFO limits{};
    form->LimitTrackSize(limits);
    RECT outer{}, client{};
    GetWindowRect(form->window, &outer);
    GetClientRect(form->window, &client);
    EXPECT_EQ(limits.ptMinTrackSize.x, 300 + (outer.right - outer.left) - client.right);
    EXPECT_EQ(limits.ptMinTrackSize.y, 200 + (outer.bottom - outer.top) - client.bottom);
    DeleteElement(child);
}

// A client area that fits is kept and centred on the work area; one too large for the
// screen (a big layout at a high display scale) shrinks in its own proportions until the
// whole window fits, and a least size beyond the screen never pushes the window past it.
TEST(FormSizing, AWindowTooLargeForTheScreenShrinksInProportionAndCentres) {
    Owned<Form> form = MakeForm("work area");
    form->Create();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(form->window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    const LONG workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    const struct {
        int clientWidth, clientHeight;
        bool keptAsAsked;
    } cases[] = {{400, 300, true}, {3000, 1500, false}, {600, 2400, false}, {4000, 4000, false}};
    for (const auto& c : cases) {
        form->FitOnWorkArea(c.clientWidth, c.clientHeight);
        RECT outer{}, client{};
        GetWindowRect(form->window, &outer);
        GetClientRect(form->window, &client);
        const std::string asked = std::to_string(c.clientWidth) + " x " + std::to_string(c.clientHeight);
        if (c.keptAsAsked) {
            EXPECT_EQ(client.right, c.clientWidth) << asked;
            EXPECT_EQ(client.bottom, c.clientHeight) << asked;
        }
        EXPECT_NEAR(static_cast<double>(client.right) / client.bottom,
                    static_cast<double>(c.clientWidth) / c.clientHeight, 0.01)
            << asked;
        EXPECT_GE(outer.left, work.left) << asked;
        EXPECT_GE(outer.top, work.top) << asked;
        EXPECT_LE(outer.right, work.right) << asked;
        EXPECT_LE(outer.bottom, work.bottom) << asked;
        EXPECT_LE(std::abs((outer.left - work.left) - (work.right - outer.right)), 1) << asked << ": centred";
        EXPECT_LE(std::abs((outer.top - work.top) - (work.bottom - outer.bottom)), 1) << asked;
    }
    EXPECT_TRUE(form->FitsOnWorkArea(400, 300));
    EXPECT_FALSE(form->FitsOnWorkArea(workWidth, 300)) << "the frame makes it wider than the screen";
    EXPECT_FALSE(form->FitsOnWorkArea(400, workHeight));
    form->leastClient = SIZE{4000, 3000};
    MINMAXINFO limits{};
    form->LimitTrackSize(limits);
    EXPECT_EQ(limits.ptMinTrackSize.x, workWidth);
    EXPECT_EQ(limits.ptMinTrackSize.y, workHeight);
}

}  // namespace
