// The element model: text conversions, functions looked up at run time, the registry,
// focus-time text changes, tooltips and the stored background.
#include "CoreTestSupport.h"
#include "LazyLibrary.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>

using namespace coretest;

namespace {

const int relaunched = RunInsideVirtualDesktop();

TEST(TextConversion, WidensBytesAndNarrowsToTheLowByte) {
    EXPECT_EQ(Widen("Ab\xE9"), std::wstring(L"Ab\u00E9"));
    EXPECT_EQ(Narrow(std::wstring(L"Ab\u00E9\u1234")), std::string("Ab\xE9\x34"));
    EXPECT_EQ(Int64ToText(LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(Int64ToWideText(50000), L"50000");
}

TEST(LazyLibrary, LoadsALibraryAtItsFirstLookupAndGivesNullForWhatIsMissing) {
    ASSERT_EQ(GetModuleHandleW(L"winmm.dll"), nullptr) << "the test program must not load it itself";
    const struct {
        const wchar_t* library;
        const char* function;
        bool found;
    } lookups[] = {
        {L"winmm.dll", "PlaySoundW", true},
        {L"winmm.dll", "NoSuchFunction", false},
        {L"no-such-library.dll", "PlaySoundW", false},
    };
    for (const auto& lookup : lookups)
        EXPECT_EQ(LazyAddress(lookup.library, lookup.function) != nullptr, lookup.found)
            << Narrow(lookup.library) << " " << lookup.function;
    EXPECT_NE(GetModuleHandleW(L"winmm.dll"), nullptr);
}

TEST(Registry, FindsLiveElementsOnlyAndLendsUnknownWindowsToTheNewestWindowless) {
    Owned<Form> form = MakeForm("registry");
    form->Create();
    auto* label = new NativeControl(form.get(), L"static");
    label->Create();
    HWND labelWindow = label->window;
    EXPECT_EQ(FindElementByWindow(labelWindow), label);
    EXPECT_EQ(FindElementById(label->commandId), label);
    EXPECT_EQ(FindElementByWindow(GetDesktopWindow()), nullptr) << "the newest element has a window";

    auto* pending = new NativeControl(form.get(), L"static");
    EXPECT_EQ(FindElementByWindow(GetDesktopWindow()), pending) << "a window being created";
    EXPECT_EQ(FindElementByWindow(nullptr), nullptr);
    DeleteElement(pending);

    int id = label->commandId;
    DeleteElement(label);
    EXPECT_EQ(FindElementById(id), nullptr);
    EXPECT_EQ(FindElementByWindow(labelWindow), nullptr);
}

int textChanges = 0;
int lostFocus = 0;
int CountTextChange(GUIElement*) { return ++textChanges; }
void CountLostFocus(GUIElement*) { ++lostFocus; }

TEST(FocusText, TextChangedFiresOnlyWhenTheTextDiffersAtFocusLoss) {
    Owned<Form> form = MakeForm("focus");
    form->Create();
    Owned<NativeControl> edit(new NativeControl(form.get(), L"edit", WS_TABSTOP));
    edit->SetTextNarrow("50000");
    edit->TextChanged = CountTextChange;
    edit->LostFocus = CountLostFocus;
    edit->Create();
    Owned<NativeControl> other(new NativeControl(form.get(), L"button", WS_TABSTOP));
    other->Create();

    struct Step {
        const char* typed;
        int lostFocus;
        int textChanges;
    };
    const Step steps[] = {{"50000", 1, 0}, {"4", 2, 1}, {"", 3, 2}, {"", 4, 2}};
    for (const Step& step : steps) {
        edit->Focus();
        SetWindowTextA(edit->window, "edited meanwhile");
        SetWindowTextA(edit->window, step.typed);
        other->Focus();
        Pump();
        EXPECT_EQ(lostFocus, step.lostFocus) << step.typed;
        EXPECT_EQ(textChanges, step.textChanges) << step.typed;
    }
}

std::wstring ToolText(HWND tooltip, HWND owner) {
    std::vector<wchar_t> buffer(4096);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    tool.lpszText = buffer.data();
    SendMessageW(tooltip, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    return buffer.data();
}

TEST(Tooltips, EmptyTextMakesNoneAndLongTextIsCut) {
    Owned<Form> form = MakeForm("tips");
    form->Create();
    Owned<NativeControl> plain(new NativeControl(form.get(), L"static"));
    plain->Create();
    EXPECT_EQ(plain->tooltipWindow, nullptr);

    Owned<NativeControl> tipped(new NativeControl(form.get(), L"static"));
    tipped->tooltipText = std::string(3000, 'x');
    tipped->Create();
    ASSERT_NE(tipped->tooltipWindow, nullptr);
    std::wstring shown = ToolText(tipped->tooltipWindow, tipped->window);
    EXPECT_FALSE(shown.empty());  // the tooltip window itself may show less
    EXPECT_EQ(shown.find_first_not_of(L'x'), std::wstring::npos);
    for (size_t length : {2022u, 2023u, 2024u, 3000u})
        EXPECT_EQ(TooltipText(std::string(length, 'x')).size(), std::min<size_t>(length, 2023)) << length;

    tipped->SetTooltipText("Stake");
    EXPECT_EQ(ToolText(tipped->tooltipWindow, tipped->window), L"Stake");
}

int paints = 0;
void CountPaint(GUIElement*) { ++paints; }

COLORREF ClientPixel(HWND window) {
    HDC dc = GetDC(window);
    COLORREF pixel = GetPixel(dc, 5, 5);
    ReleaseDC(window, dc);
    return pixel;
}

TEST(BackColor, StoredBeforeCreationAndRepaintedOnlyOncePainted) {
    Owned<Form> form = MakeForm("colours");
    form->Painted = CountPaint;
    form->SetBackColor(RGB(0, 128, 0));
    EXPECT_FALSE(form->backgroundPainted) << "before creation the colour is only stored";
    form->Create();
    Pump();
    EXPECT_EQ(ClientPixel(form->window), RGB(0, 128, 0)) << "the class brush uses the stored colour";
    EXPECT_FALSE(form->backgroundPainted);

    form->SetBackColor(RGB(255, 255, 0));
    EXPECT_TRUE(form->backgroundPainted);
    paints = 0;
    InvalidateRect(form->window, nullptr, TRUE);
    UpdateWindow(form->window);
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(ClientPixel(form->window), RGB(255, 255, 0)) << "each paint fills the new colour again";
}

}  // namespace
