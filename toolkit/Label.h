// Static text in a "static" window; its colours come from its parent's OnControlColor.
#pragma once

#include "GUIElement.h"

#include <string>

namespace NeloUtility {

class Label : public Child {
public:
    bool border = false;
    bool alignRight = false;   // wins over alignCenter
    bool alignCenter = false;

    Label(GUIElement* parentElement, const std::string& caption);

    void Create() override;

    DWORD WindowStyle() const;
    DWORD ExtendedStyle() const;
};

}  // namespace NeloUtility
