// An "edit" window with style flags that can be applied again after creation.
#pragma once

#include "GUIElement.h"

#include <string>

namespace NeloUtility {

class TextBox : public Child {
public:
    int maxLength = -1;  // -1: no limit sent
    bool multiline = false;
    bool horizontalScroll = false;
    bool verticalScroll = false;
    bool readOnly = false;
    bool numbersOnly = false;
    bool password = false;  // takes effect through ApplyStyle
    bool lowercase = false;
    bool uppercase = false;  // wins over lowercase
    bool alignRight = false;
    bool alignCenter = false;
    bool border = true;
    bool wordWrap = false;

    TextBox(GUIElement* parentElement, const std::string& initialText);

    void Create() override;
    long AccessibleRole() const override { return kRoleText; }
    // Its text is its value.
    std::wstring OwnAccessibleName() override { return std::wstring(); }
    std::wstring OwnAccessibleValue() override { return GetText(); }

    DWORD ComputeStyle() const;
    // Puts changed flags on the created window.
    void ApplyStyle();
};

}  // namespace NeloUtility
