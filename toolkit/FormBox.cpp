#include "FormBox.h"

#include <algorithm>

namespace NeloUtility {

FormBox::FormBox(Form* ownerForm)
    : Form(ownerForm ? ownerForm->instance : GetModuleHandleW(nullptr), kDialogForm), owner(ownerForm) {
    dialogTopmost = false;
    modalFrame = true;
    minimizeBox = false;
    maximizeBox = false;
    boxFont = new FontSpec("Arial", 14);
    font = boxFont;
    if (owner == nullptr) return;
    owner->SetEnabled(false);
    owner->companionForm = this;
}

FormBox::~FormBox() {
    ReleaseOwner();
    // The toolkit never frees an element's font: the box made this one, so it frees it.
    if (font == boxFont) font = nullptr;
    DeleteAndClear(boxFont);
}

void FormBox::ReleaseOwner() {
    if (owner == nullptr || owner->companionForm != this) return;
    owner->companionForm = nullptr;
    owner->SetEnabled(true);
}

void FormBox::CenterOnOwner() {
    if (window == nullptr) return;
    HWND ownerWindow = owner != nullptr && owner->created ? owner->window : nullptr;
    if (ownerWindow == nullptr || IsIconic(ownerWindow)) {
        CenterOnScreen();
        return;
    }
    RECT over{}, outer{};
    GetWindowRect(ownerWindow, &over);
    GetWindowRect(window, &outer);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    if (!GetMonitorInfoW(MonitorFromWindow(ownerWindow, MONITOR_DEFAULTTONEAREST), &screen))
        screen.rcWork = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT& work = screen.rcWork;
    const int boxWidth = outer.right - outer.left, boxHeight = outer.bottom - outer.top;
    const int left = std::max<int>(
        work.left, std::min<int>((over.left + over.right - boxWidth) / 2, work.right - boxWidth));
    const int top = std::max<int>(
        work.top, std::min<int>((over.top + over.bottom - boxHeight) / 2, work.bottom - boxHeight));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    GetPosition();
}

}  // namespace NeloUtility
