// Static text in a "static" window; its colours come from its parent's OnControlColor.
#pragma once

#include "GUIElement.h"

#include <string>

namespace NeloUtility {

// The creation sequence every native child control follows. MakeControlWindow takes
// the next control identifier and makes the window as a child of the parent's window
// (null when that fails); FinishControl adds the tooltip and the font to a created one.
HWND MakeControlWindow(GUIElement& element, const wchar_t* windowClass, DWORD style, DWORD extendedStyle);
void FinishControl(GUIElement& element);
// WS_CHILD | WS_VISIBLE, and WS_DISABLED unless the element is enabled.
DWORD BaseControlStyle(const GUIElement& element);

class Label : public Child {
public:
    bool border = false;
    bool alignRight = false;  // wins over alignCenter
    bool alignCenter = false;

    Label(GUIElement* parentElement, const std::string& caption);

    void Create() override;
    long AccessibleRole() const override { return kRoleStaticText; }

    DWORD WindowStyle() const;
    DWORD ExtendedStyle() const;
};

}  // namespace NeloUtility
