// Timers: ticks on the parent's window under the timer's own identifier.
#include "CoreTestSupport.h"
#include "Timer.h"

#include <gtest/gtest.h>

using namespace coretest;

namespace {

const int relaunched = RunInsideVirtualDesktop();

int ticks = 0;
int lastTickId = 0;
void CountTick(Timer* timer) {
    ++ticks;
    lastTickId = timer->commandId;
}

Owned<Timer> CountingTimer(Form* form, int interval) {
    Owned<Timer> timer(new Timer(form, interval));
    timer->Tick = CountTick;
    return timer;
}

// True when a system timer with this identifier was still set on the window.
bool KillLeftover(HWND window, int id) { return KillTimer(window, static_cast<UINT_PTR>(id)) != FALSE; }

TEST(Timer, TicksWhileRunningAndResumesWithTheSameIdentifier) {
    Owned<Form> form = MakeForm("timer");
    form->Create();
    Owned<Timer> timer = CountingTimer(form.get(), 30);
    timer->Start();
    timer->Start();
    int id = timer->commandId;
    EXPECT_FALSE(IsWindowVisible(timer->window)) << "the timer's own window stays hidden";

    ticks = 0;
    Pump(250);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(lastTickId, id);

    timer->Stop();
    timer->Stop();
    EXPECT_FALSE(KillLeftover(form->window, id)) << "stopped means no system timer";
    ticks = 0;
    Pump(150);
    EXPECT_EQ(ticks, 0);

    timer->Start();
    Pump(150);
    EXPECT_GE(ticks, 1);
    EXPECT_EQ(timer->commandId, id);
}

TEST(Timer, DeletingARunningTimerLeavesNoSystemTimer) {
    Owned<Form> form = MakeForm("timer gone");
    form->Create();
    Owned<Timer> timer = CountingTimer(form.get(), 30);
    timer->Start();
    int id = timer->commandId;
    timer.reset();
    EXPECT_FALSE(KillLeftover(form->window, id));
    ticks = 0;
    Pump(120);
    EXPECT_EQ(ticks, 0);
}

TEST(Timer, OnlyTimerMessagesOfTheParentWindowTick) {
    Owned<Form> form = MakeForm("timer routing");
    form->Create();
    Owned<Timer> timer = CountingTimer(form.get(), 1000);
    timer->Create();
    Owned<NativeControl> edit(new NativeControl(form.get(), L"edit"));
    edit->Create();
    ticks = 0;
    SendMessageW(form->window, WM_TIMER, static_cast<WPARAM>(timer->commandId), 0);
    EXPECT_EQ(ticks, 1);
    // A control's own timer that happens to share the identifier is not ours.
    SendMessageW(edit->window, WM_TIMER, static_cast<WPARAM>(timer->commandId), 0);
    SendMessageW(form->window, WM_TIMER, static_cast<WPARAM>(edit->commandId), 0);
    EXPECT_EQ(ticks, 1);
}

TEST(Timer, StartedWithoutAParentWindowNeverTicksAndLeavesNoThreadTimer) {
    Owned<Timer> timer = CountingTimer(nullptr, 10);
    timer->Start();
    EXPECT_TRUE(timer->running);
    Sleep(40);
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    timer->Stop();
}

}  // namespace
