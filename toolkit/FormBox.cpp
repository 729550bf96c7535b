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

// Worked out in pixels, as CenterOnScreen is.
void FormBox::CenterOnOwner() {
    if (owner == nullptr || owner->window == nullptr || !IsWindow(owner->window)) {
        CenterOnScreen();
        return;
    }
    const int scale = ElementDpi(*this);
    SIZE outer{ToPixels(width, scale), ToPixels(height, scale)};
    RECT made{};
    if (window != nullptr && GetWindowRect(window, &made))
        outer = SIZE{made.right - made.left, made.bottom - made.top};
    RECT over{};
    GetWindowRect(owner->window, &over);
    const RECT work = WorkAreaOf(owner->window);
    const auto within = [](LONG centred, LONG low, LONG high, LONG size) {
        return std::max(low, std::min(centred, high - size));
    };
    const LONG left = within((over.left + over.right - outer.cx) / 2, work.left, work.right, outer.cx);
    const LONG top = within((over.top + over.bottom - outer.cy) / 2, work.top, work.bottom, outer.cy);
    x = ToUnits(left, scale);
    y = ToUnits(top, scale);
    if (window != nullptr)
        SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormBox::ReleaseOwner() {
    if (owner == nullptr || owner->companionForm != this) return;
    owner->companionForm = nullptr;
    owner->SetEnabled(true);
}

}  // namespace NeloUtility
