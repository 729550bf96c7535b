#include "FormBox.h"

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

}  // namespace NeloUtility
