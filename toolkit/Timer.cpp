#include "Timer.h"

namespace NeloUtility {

namespace {
HWND ParentWindow(const GUIElement* element) {
    return element->parent != nullptr ? element->parent->window : nullptr;
}
}  // namespace

Timer::Timer(GUIElement* parentElement, int intervalMilliseconds)
    : Child(parentElement), interval(intervalMilliseconds) {
    kind = "timer";
    text = L"timer";
    width = 50;
    height = 22;
}

Timer::~Timer() { Stop(); }

void Timer::Create() {
    if (created) return;
    commandId = TakeNextControlId();
    DWORD style = WS_CHILD | (enabled ? 0 : WS_DISABLED);  // never visible
    window = CreateWindowExW(0, L"static", text.c_str(), style, x, y, width, height, ParentWindow(this),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId)), nullptr, nullptr);
    if (window != nullptr) {
        SubclassControl(*this);
    } else {
        GetLastError();
    }
    created = true;
}

void Timer::Start() {
    if (running) return;
    Create();
    // Without a parent window the system would make a thread timer under an identifier of
    // its own choosing, which Stop could never kill; such a timer simply never ticks.
    HWND owner = ParentWindow(this);
    if (owner != nullptr)
        SetTimer(owner, static_cast<UINT_PTR>(commandId), static_cast<UINT>(interval), nullptr);
    running = true;
}

void Timer::Stop() {
    if (!running) return;
    KillTimer(ParentWindow(this), static_cast<UINT_PTR>(commandId));
    running = false;
}

}  // namespace NeloUtility
