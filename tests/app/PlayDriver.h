// Plays the real main form from inside the test program: a fresh form for each test, a
// dealer clock the test sets by hand, clicks and key presses as the controls receive
// them, timer ticks, what every step of a round must keep true, and a count of the
// window-system objects the process holds.
#pragma once

#include "CoreTestSupport.h"
#include "FakeTable.h"
#include "FormMain.h"
#include "NumberText.h"
#include "ResourceTexts.h"
#include "SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace playdriver {

using namespace DoDadu;
using namespace NeloUtility;

// Local time as the test wants it; starts at an arbitrary day.
class ManualClock : public DealerClock {
public:
    std::int64_t now = 63'000'000'000'000;
    bool LocalMilliseconds(std::int64_t& out) override {
        out = now;
        return true;
    }
};

inline bool Enabled(GUIElement* element) { return IsWindowEnabled(element->window) != FALSE; }
inline std::string Text(GUIElement* element) { return element->GetTextNarrow(); }
inline std::string StoredScore() { return ReadSetting("Zandro", "Dati", "Score"); }

// A number as the table shows it in the language it speaks.
inline std::string Grouped(long long value) {
    const ResourceTexts texts;
    return GroupedNumberFormatter(texts).Format(value);
}

// A fresh main form over a stored score of 50000, deleted after each test. Its dealer
// runs on the test's clock, or on local time if the test asks for it.
class FormTest : public ::testing::Test {
protected:
    explicit FormTest(const char* formTitle, bool onLocalTime = false)
        : title(formTitle), localTime(onLocalTime) {}

    void SetUp() override {
        WriteSetting("Zandro", "Dati", "Score", "50000");
        HINSTANCE instance = GetModuleHandleW(nullptr);
        form = localTime ? new FormMain(instance, title) : new FormMain(instance, title, clock);
        coretest::Pump(50);
    }
    void TearDown() override {
        DeleteElement(form);
        coretest::Pump();
    }

    ManualClock clock;
    FormMain* form = nullptr;

private:
    const char* title;
    bool localTime;
};

// A left click as the button receives it. The system never routes a click to a
// disabled window, so a click on one does nothing.
inline void Click(Button* button) {
    if (!Enabled(button)) return;
    SendMessageW(button->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(button->window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

// One key stroke on the stake slider (arrows, Home, End, Page Up/Down); the key-up
// ends the move, and the slider reports its new position.
inline void SlideKey(Slider* slider, WPARAM key) {
    if (!Enabled(slider)) return;
    SendMessageW(slider->window, WM_KEYDOWN, key, 1);
    SendMessageW(slider->window, WM_KEYUP, key, 0xC0000001);
}

// A tick of the dealer's timer as the system delivers it, after the clock moved on.
inline void Tick(FormMain* form, ManualClock& clock, std::int64_t advanceMs) {
    clock.now += advanceMs;
    PostMessageW(form->window, WM_TIMER, static_cast<WPARAM>(form->Layout().dealTimer->commandId), 0);
    coretest::Pump();
}

// Window-system objects alive in this process. Where the system counts them
// (GetGuiResources) that count is used; Wine answers 0 there, so the handle spaces are
// probed instead: every GDI handle index with GetObjectType, every USER handle index
// with IsWindow (windows of this process) and IsMenu.
struct GuiObjects {
    long gdi = 0;
    long user = 0;
};

inline GuiObjects CountGuiObjects() {
    GuiObjects counted;
    counted.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    counted.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (counted.gdi == 0) {
        for (ULONG_PTR index = 1; index < 0x10000; ++index)
            if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++counted.gdi;
    }
    if (counted.user == 0) {
        const DWORD self = GetCurrentProcessId();
        for (ULONG_PTR index = 0; index < 0x8000; ++index) {
            const ULONG_PTR handle = 0x20 + 2 * index;
            HWND window = reinterpret_cast<HWND>(handle);
            DWORD owner = 0;
            // A window of this process and a menu both count as USER objects.
            if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == self)
                ++counted.user;  // NOLINT(bugprone-branch-clone)
            else if (IsMenu(reinterpret_cast<HMENU>(handle)))
                ++counted.user;
        }
    }
    return counted;
}

// The controls of the round's phase; INFO and EXIT are always on.
inline ::testing::AssertionResult ControlsMatchPhase(FormMain* form) {
    GUIElement* const controls[] = {form->Layout().startButton, form->Layout().stopButton,
                                    form->Layout().getCardButton, form->Layout().stakeButton,
                                    form->Layout().stakeSlider};  // as TableControl
    ::testing::AssertionResult result = DoDadu::ControlsMatchPhase(
        form->round, [&](TableControl control) { return Enabled(controls[static_cast<int>(control)]); },
        Text(form->Layout().startButton));
    if (result && !(Enabled(form->Layout().infoButton) && Enabled(form->Layout().exitButton)))
        return ::testing::AssertionFailure() << "INFO or EXIT off";
    return result;
}

// What every step of play keeps: the score moves by nothing, by the stake either way
// or by half the stake (CANCEL), and is stored as it moves; the cards stay sound and
// the controls fit the phase.
inline ::testing::AssertionResult StepKeptTheRound(FormMain* form, int scoreBefore, int stake) {
    const int score = form->round.Score();
    const long long delta = static_cast<long long>(score) - scoreBefore;
    if (delta != 0 && delta != stake && delta != -stake && delta != -(stake / 2))
        return ::testing::AssertionFailure()
               << "score " << scoreBefore << " -> " << score << " with stake " << stake;
    const std::string stored = StoredScore();
    if (stored != std::to_string(score))
        return ::testing::AssertionFailure() << "stored " << stored << " but playing with " << score;
    if (::testing::AssertionResult cards = CardsAreSound(form->round.cards); !cards) return cards;
    return ControlsMatchPhase(form);
}

}  // namespace playdriver
