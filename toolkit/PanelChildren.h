// A plain container window of a class of its own: it clips and scrolls the elements
// placed in it and chooses the colours of the native controls inside.
#pragma once

#include "GUIElement.h"

#include <string>

namespace NeloUtility {

// delta = old scroll position - requested position.
using ScrolledEvent = void (*)(GUIElement* panel, int delta);

class PanelChildren : public Child {
public:
    bool ownColors = true;
    ScrolledEvent VerticalScrolled = nullptr;
    ScrolledEvent HorizontalScrolled = nullptr;
    bool border = false;
    bool flatBorder = false;
    bool verticalScrollBar = false;  // also takes the mouse wheel
    bool horizontalScrollBar = false;
    int scrollMinimum = 0;
    int scrollMaximum = 100;
    bool tabStop = true;
    HBRUSH childBrush = nullptr;  // owned: the brush last handed out by OnControlColor
    COLORREF childTextColor = static_cast<COLORREF>(-1);
    COLORREF childBackColor = static_cast<COLORREF>(-1);
    bool popup = false;      // a hidden top-level tool window instead of a child
    std::wstring className;  // "PanelChildren<n>", set by Create

    explicit PanelChildren(GUIElement* parentElement);
    ~PanelChildren();

    HBRUSH OnControlColor(HDC deviceContext) override;
    void Create() override;

    void SetScrollRange(int minimum, int maximum);
    DWORD WindowStyle() const;
    DWORD ExtendedStyle() const;
    // Calls the scroll event of one bar, when set.
    void FireScrolled(bool vertical, int delta);
};

}  // namespace NeloUtility
