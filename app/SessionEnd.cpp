#include "SessionEnd.h"

namespace DoDadu {

namespace {

// The one table of the process and its window's own procedure, which gets every message.
FormMain* watchedTable = nullptr;
WNDPROC tableProcedure = nullptr;

LRESULT CALLBACK WatchSessionEnd(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The session may end as far as the table is concerned: it never asks the player.
    if (message == WM_QUERYENDSESSION) return TRUE;
    // wParam is FALSE when another program has held the end up: the session goes on,
    // and so does the round. Otherwise the table goes with the session, so that a process
    // the system leaves running (a restart manager's close) has no charged round to play on.
    if (message == WM_ENDSESSION && wParam != FALSE && watchedTable != nullptr) {
        watchedTable->LeaveTable();
        DestroyWindow(window);
        return 0;
    }
    return CallWindowProcW(tableProcedure, window, message, wParam, lParam);
}

}  // namespace

void LeaveTableAtSessionEnd(FormMain& form) {
    if (form.window == nullptr || watchedTable != nullptr) return;
    const LONG_PTR previous =
        SetWindowLongPtrW(form.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchSessionEnd));
    if (previous == 0) return;
    tableProcedure = reinterpret_cast<WNDPROC>(previous);
    watchedTable = &form;
}

}  // namespace DoDadu
