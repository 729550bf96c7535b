// A box over a form of the program, such as the about box: a dialog-style window with a
// modal frame, no minimise or maximise box and a font of its own ("Arial" 14). While it is
// open its owner is disabled and keeps the box just above it, so it behaves like a modal
// dialog without a message loop of its own.
#pragma once

#include "Form.h"

namespace NeloUtility {

class FormBox : public Form {
public:
    Form* owner;  // not owned; disabled while the box is open

    // Disables the owner at once; the window is made by Show, once the fields are filled.
    explicit FormBox(Form* ownerForm);
    // A box deleted while still open lets go of its owner, which must not keep a pointer
    // to it nor stay disabled.
    ~FormBox();

    // The owner is enabled again, unless another box holds it by now.
    void ReleaseOwner();
    // Once the window exists: its middle on the owner's middle (the screen's without an
    // owner window), moved in as far as it fits on the owner's screen.
    void CenterOnOwner();

protected:
    FontSpec* boxFont = nullptr;  // installed as `font`; freed with the box
};

// The box itself, or the box a direct child of it belongs to; null for anything else.
template <class Box>
Box* BoxOf(GUIElement* element) {
    if (auto* box = dynamic_cast<Box*>(element)) return box;
    if (auto* child = dynamic_cast<Child*>(element)) return dynamic_cast<Box*>(child->parent);
    return nullptr;
}

}  // namespace NeloUtility
