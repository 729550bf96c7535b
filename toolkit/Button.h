// A push button that fires its command when pressed. An owner-drawn button is painted
// by the toolkit: the context's background as fill, a frame one layout unit thick showing the
// disabled and pressed states, an optional picture, the caption and the focus mark.
#pragma once

#include "CommandElement.h"
#include "Drawing.h"
#include "GUIElement.h"

#include <string>

namespace NeloUtility {

class Button : public Child, public CommandElement {
public:
    bool ownerDrawn = false;
    HBITMAP bitmap = nullptr;          // shown while enabled; not owned
    HBITMAP disabledBitmap = nullptr;  // shown while disabled; not owned
    HICON icon = nullptr;              // 32 x 32, when no bitmap applies; not owned
    HICON disabledIcon = nullptr;

    Button(GUIElement* parentElement, const std::string& caption);

    void Create() override;
    long AccessibleRole() const override { return kRolePushButton; }
    // Draws the picture for the current state; returns where the caption begins, or 0
    // without a picture.
    virtual int DrawImage(Drawing& drawing, const RECT& item, bool pressed);

    // Paints the owner-drawn face for WM_DRAWITEM.
    void PaintFace(const DRAWITEMSTRUCT& item);
    DWORD WindowStyle() const;

    static constexpr COLORREF kDisabledFrame = 0x696969;
    static constexpr COLORREF kDisabledText = 0x969696;
};

}  // namespace NeloUtility
