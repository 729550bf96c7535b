// A player who clicks as fast as the mouse allows: bursts of button presses, double
// clicks, stake slider keys and dealer timer ticks queued on the real main form in
// random order, in every phase of the round. After every message the round must still
// hold together, and the queue must always drain.
#include "PlayDriver.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>

namespace {

using namespace playdriver;

const int relaunched = coretest::RunInsideVirtualDesktop();

bool IsMouseOrKey(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

// The system routes mouse and keyboard input only to windows that can take it: a
// press queued before its button was disabled never reaches the button. This hook
// drops such messages when they are taken from the queue, as the system would.
LRESULT CALLBACK DropInputToDisabledWindows(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && IsMouseOrKey(message->message) &&
        message->hwnd != nullptr) {
        HWND top = GetAncestor(message->hwnd, GA_ROOT);
        if (!IsWindowEnabled(message->hwnd) || (top != nullptr && !IsWindowEnabled(top)))
            message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Storm : public FormTest {
protected:
    Storm() : FormTest("Zandro++ storm") {}
    void SetUp() override {
        FormTest::SetUp();
        hook = SetWindowsHookExW(WH_GETMESSAGE, DropInputToDisabledWindows, nullptr, GetCurrentThreadId());
        ASSERT_NE(nullptr, hook);
    }
    void TearDown() override {
        if (hook != nullptr) UnhookWindowsHookEx(hook);
        FormTest::TearDown();
    }

    void PostClick(Button* button, bool twice) {
        PostMessageW(button->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(button->window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        if (twice) {
            PostMessageW(button->window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
            PostMessageW(button->window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        }
    }

    void PostSlideKey(WPARAM key) {
        PostMessageW(form->Layout().stakeSlider->window, WM_KEYDOWN, key, 1);
        PostMessageW(form->Layout().stakeSlider->window, WM_KEYUP, key, 0xC0000001);
    }

    // Local time moves on by up to a few seconds between ticks; now and then it is set
    // back, as a clock change or a time server would.
    void PostTick(std::mt19937& random) {
        const int roll = std::uniform_int_distribution<int>(0, 99)(random);
        clock.now += roll < 3 ? -std::uniform_int_distribution<int>(1, 7'200'000)(random)
                              : std::uniform_int_distribution<int>(0, 2600)(random);
        PostMessageW(form->window, WM_TIMER, static_cast<WPARAM>(form->Layout().dealTimer->commandId), 0);
    }

    // One random event: a press or double click on any play button (enabled or not),
    // a slider key, or a tick.
    void PostEvent(std::mt19937& random) {
        const std::array<Button*, 4> buttons{form->Layout().startButton, form->Layout().stopButton,
                                             form->Layout().getCardButton, form->Layout().stakeButton};
        const WPARAM keys[] = {VK_RIGHT, VK_LEFT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        if (kind < 5)
            PostClick(buttons[random() % buttons.size()], kind == 0);
        else if (kind < 7)
            PostSlideKey(keys[random() % 8]);
        else
            PostTick(random);
    }

    // Dispatches the queue one message at a time and checks the round after each.
    bool DrainChecking() {
        MSG message;
        for (int handled = 0; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++handled) {
            if (handled > 10000) {
                ADD_FAILURE() << "the queue never drains";
                return false;
            }
            if (message.message == WM_QUIT) continue;
            const int scoreBefore = form->round.Score();
            const int stake = form->round.CurrentStake();
            TranslateMessage(&message);
            DispatchMessageW(&message);
            EXPECT_TRUE(StepKeptTheRound(form, scoreBefore, stake)) << "after message " << message.message;
            ++phasesSeen[static_cast<int>(form->round.Phase())];
            if (HasFailure()) return false;
        }
        return true;
    }

    HHOOK hook = nullptr;
    std::array<long, 4> phasesSeen{};
};

TEST_F(Storm, TwentyThousandEventsKeepTheRoundWhole) {
    constexpr int kEvents = 20000;
    std::mt19937 random(4711);
    int rounds = 0;
    for (int posted = 0; posted < kEvents;) {
        const int burst = std::uniform_int_distribution<int>(1, 6)(random);
        for (int i = 0; i < burst && posted < kEvents; ++i, ++posted) PostEvent(random);
        const bool wasActive = form->round.RoundActive();
        ASSERT_TRUE(DrainChecking()) << "after " << posted << " events";
        rounds += wasActive && !form->round.RoundActive() ? 1 : 0;
    }
    std::printf(
        "%d events; phases seen idle %ld, player %ld, dealer %ld, dealer stopped %ld; "
        "about %d rounds ended; score %d\n",
        kEvents, phasesSeen[0], phasesSeen[1], phasesSeen[2], phasesSeen[3], rounds, form->round.Score());
    for (long seen : phasesSeen) EXPECT_GT(seen, 0) << "the storm must reach every phase of the round";
}

}  // namespace
