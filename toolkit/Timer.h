// A periodic tick for the owner: a system timer on the parent's window, keyed by the
// timer's own control identifier, so ticks arrive as WM_TIMER in the parent's window
// procedure and come back here through the element registry.
#pragma once

#include "GUIElement.h"

namespace NeloUtility {

class Timer;

using TickEvent = void (*)(Timer* timer);

class Timer : public Child {
public:
    bool running = false;
    int interval;  // milliseconds
    TickEvent Tick = nullptr;

    Timer(GUIElement* parentElement, int intervalMilliseconds);
    ~Timer();

    // A hidden "static" window that gives the timer its handle and identifier.
    void Create() override;
    void Start();
    void Stop();
};

}  // namespace NeloUtility
