#include "PanelChildren.h"

#include "ContrastTheme.h"
#include "DisplayScale.h"

namespace NeloUtility {

namespace {

constexpr DWORD kPopupBit = 0x80;                                         // with no WS_CHILD
constexpr DWORD kPopupExtended = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;  // 0x81
constexpr COLORREF kDefaultColour = static_cast<COLORREF>(-1);

}  // namespace

PanelChildren::PanelChildren(GUIElement* parentElement) : Child(parentElement, nullptr) { kind = "panel"; }

PanelChildren::~PanelChildren() {
    if (childBrush) DeleteObject(childBrush);
    // The class goes once its window is gone; its own brush goes with it.
    if (!className.empty() && (!window || !IsWindow(window)) &&
        UnregisterClassW(className.c_str(), windowClass.hInstance) && windowClass.hbrBackground &&
        windowClass.hbrBackground != GetSysColorBrush(COLOR_BTNFACE))
        DeleteObject(windowClass.hbrBackground);
}

DWORD PanelChildren::WindowStyle() const {
    DWORD style = 0;
    if (tabStop) style |= WS_TABSTOP;
    style |= popup ? kPopupBit : (WS_CHILD | WS_VISIBLE);
    if (!enabled) style |= WS_DISABLED;
    if (border) style |= WS_BORDER;
    if (horizontalScrollBar) style |= WS_HSCROLL;
    if (verticalScrollBar) style |= WS_VSCROLL;
    return style;
}

DWORD PanelChildren::ExtendedStyle() const {
    DWORD extended = popup ? kPopupExtended : 0;
    if (border && !flatBorder) extended |= WS_EX_CLIENTEDGE;
    return extended;
}

void PanelChildren::Create() {
    if (created) return;
    const int n = nextControlId;
    commandId = TakeNextControlId();
    className = L"PanelChildren" + Int64ToWideText(n);

    windowClass = WNDCLASSW{};
    windowClass.style = CS_DBLCLKS;
    windowClass.hInstance = parent ? parent->instance : nullptr;
    windowClass.hbrBackground =
        backColor == kDefaultColour ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(backColor);
    windowClass.lpfnWndProc = ElementWindowProc;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassW(&windowClass)) (void)GetLastError();

    HWND parentWindow = popup || !parent ? nullptr : parent->window;
    HMENU id = popup ? nullptr : reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId));
    const PixelRect place = PixelRectOf(*this, ElementDpi(*this));
    window = CreateWindowExW(ExtendedStyle(), className.c_str(), text.c_str(), WindowStyle(), place.x,
                             place.y, place.width, place.height, parentWindow, id, nullptr, nullptr);
    // Created before the first paint, so that a cell already paints its contents then.
    created = true;
    if (window && !popup) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    if (Created) Created(this, window);
    SetScrollRange(scrollMinimum, scrollMaximum);
    CreateTooltip(window);
    if (font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetFontHandle()), TRUE);
}

void PanelChildren::SetScrollRange(int minimum, int maximum) {
    scrollMinimum = minimum;
    scrollMaximum = maximum;
    if (!created) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = static_cast<UINT>((maximum - minimum) / 10);
    if (verticalScrollBar) SetScrollInfo(window, SB_VERT, &info, TRUE);
    if (horizontalScrollBar) SetScrollInfo(window, SB_HORZ, &info, TRUE);
}

HBRUSH PanelChildren::OnControlColor(HDC deviceContext) {
    if (!ownColors) return nullptr;
    if (childBrush) {
        DeleteObject(childBrush);
        childBrush = nullptr;
    }
    if (font) SelectObject(deviceContext, font->GetFontHandle());
    if (HBRUSH system = SystemControlColours(deviceContext, WindowFromDC(deviceContext))) return system;
    HBRUSH brush;
    if (childBackColor != kDefaultColour) {
        SetBkColor(deviceContext, childBackColor);
        brush = childBrush = CreateSolidBrush(childBackColor);
    } else if (backColor != kDefaultColour) {
        SetBkColor(deviceContext, backColor);
        brush = childBrush = CreateSolidBrush(backColor);
    } else {
        brush = GetSysColorBrush(COLOR_BTNFACE);  // the system's: not ours to delete
    }
    if (childTextColor != kDefaultColour) SetTextColor(deviceContext, childTextColor);
    return brush;
}

void PanelChildren::FireScrolled(bool vertical, int delta) {
    ScrolledEvent event = vertical ? VerticalScrolled : HorizontalScrolled;
    if (event) event(this, delta);
}

}  // namespace NeloUtility
