// The element model of the NeloUtility toolkit: every piece of the user interface is a
// GUIElement that owns at most one native window and mirrors its properties. Window
// messages reach an element through ElementWindowProc, which calls the element's virtual
// operations; those call the plain event functions stored in the element.
//
// Destructors are deliberately not virtual: an element is deleted through its own class by
// the form that owns it. Use DeleteElement(p) for that; it deletes through the static type
// of p without tripping the compiler's warning about polymorphic classes.
#pragma once

#include "TextResources.h"

#include <windows.h>

#include <string>
#include <vector>

namespace NeloUtility {

class FormPictures;

class GUIElement;

// Where a form places its children when it fits a layout to its window (Form::FitLayout):
// the scale they are laid out at, in dots per inch, and where the layout's top-left corner
// lies in the client area, in pixels. A dpi of 0: the children follow the form's own scale
// from the corner.
struct ChildLayout {
    int dpi = 0;
    POINT origin{0, 0};
};

// What a screen reader is told an element is, as the platform numbers it.
constexpr long kRoleClient = 0x0A;
constexpr long kRoleLink = 0x1E;
constexpr long kRoleGraphic = 0x28;
constexpr long kRoleStaticText = 0x29;
constexpr long kRoleText = 0x2A;
constexpr long kRolePushButton = 0x2B;
constexpr long kRoleSlider = 0x33;

// Events: plain function pointers, called with the element first; null means not set.
using CreatedEvent = void (*)(GUIElement* element, HWND window);
using MouseButtonEvent = int (*)(GUIElement* element, HWND window, int x, int y);
using KeyEvent = int (*)(GUIElement* element, int virtualKey);
using CharEvent = bool (*)(GUIElement* element, int character);  // false swallows it
using ElementEvent = int (*)(GUIElement* element);
using NotifyEvent = void (*)(GUIElement* element);
using ClosingEvent = bool (*)(GUIElement* element);  // false cancels the close
using MouseMoveEvent = int (*)(GUIElement* element, int x, int y);

// A font description that elements point to; the handle is made on first use and cached.
// Owned by whoever made it; deleting it deletes the handle. The height is in layout
// units (DisplayScale.h): the handle is made at `dpi`, the system's while that is 0.
class FontSpec {
public:
    HFONT handle = nullptr;
    int dpi = 0;
    std::wstring face = L"System";
    int height = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;

    FontSpec() = default;
    FontSpec(const std::string& faceName, int fontHeight);
    ~FontSpec();
    FontSpec(const FontSpec&) = delete;
    FontSpec& operator=(const FontSpec&) = delete;

    HFONT GetFontHandle();
};

class GUIElement {
public:
    bool visible = true;  // a form made while false stays hidden until the program shows it
    bool keyPreview = false;
    bool destroyed = false;
    bool waitCursor = false;
    bool handCursor = false;
    HWND tooltipWindow = nullptr;
    HWND window = nullptr;
    HINSTANCE instance = nullptr;
    WNDCLASSW windowClass{};
    FontSpec* font = nullptr;  // not owned
    int width = 100;
    int height = 50;
    int x = 100;
    int y = 100;
    // Positions and sizes are layout units (DisplayScale.h). A form's scale, in dots per
    // inch: 0 until its window exists, then its screen's. Children follow their form.
    int dpi = 0;
    bool created = false;
    COLORREF backColor = static_cast<COLORREF>(-1);
    std::wstring text;
    std::wstring textAtFocus;
    bool backgroundPainted = false;
    bool enabled = true;
    int commandId = 0;
    std::string kind;
    std::string tooltipText;
    GUIElement* parent = nullptr;  // not owned
    WNDPROC previousWindowProc = nullptr;

    CreatedEvent Created = nullptr;
    bool createdFired = false;
    MouseButtonEvent LeftButtonUp = nullptr;
    MouseButtonEvent LeftButtonDown = nullptr;
    MouseButtonEvent LeftDoubleClick = nullptr;
    MouseButtonEvent RightButtonUp = nullptr;
    MouseButtonEvent RightButtonDown = nullptr;
    MouseButtonEvent RightDoubleClick = nullptr;
    KeyEvent KeyUp = nullptr;
    KeyEvent KeyDown = nullptr;
    CharEvent CharTyped = nullptr;
    ElementEvent Moved = nullptr;
    ElementEvent Resized = nullptr;
    NotifyEvent Painted = nullptr;
    ClosingEvent Closing = nullptr;
    ElementEvent Destroyed = nullptr;
    ElementEvent GotFocus = nullptr;
    NotifyEvent LostFocus = nullptr;
    ElementEvent Activated = nullptr;
    ElementEvent Deactivated = nullptr;
    ElementEvent TextChanged = nullptr;
    MouseMoveEvent MouseMove = nullptr;
    ElementEvent MouseHover = nullptr;
    ElementEvent MouseLeave = nullptr;

    explicit GUIElement(HINSTANCE instanceHandle);
    ~GUIElement();  // not virtual: delete through the concrete class
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    // The 38 virtual operations, in this order.
    virtual void SetSize(int newWidth, int newHeight);
    virtual void SetBackColor(COLORREF color);
    virtual void SetEnabled(bool enable);
    virtual void SetText(const std::wstring& newText);
    virtual void SetTextNarrow(const std::string& newText);
    virtual int OnLeftButtonUp(int mouseX, int mouseY);
    virtual int OnLeftButtonDown(int mouseX, int mouseY);
    virtual int OnLeftDoubleClick(int mouseX, int mouseY);
    virtual int OnRightButtonUp(int mouseX, int mouseY);
    virtual int OnRightButtonDown(int mouseX, int mouseY);
    virtual int OnRightDoubleClick(int mouseX, int mouseY);
    virtual int OnKeyUp(int virtualKey);
    virtual int OnKeyDown(int virtualKey);
    virtual bool OnChar(int character);
    virtual int OnMouseMove(int mouseX, int mouseY);
    virtual int OnMouseHover();
    virtual int OnMouseLeave();
    virtual void Focus();
    // The focus reached by the keyboard (Tab or an access key): a text field's whole text is
    // selected, so what is typed next replaces it, as in a dialog.
    void FocusByKeyboard();
    virtual int OnMoved();
    virtual int OnResized();
    virtual void OnPaint();
    virtual HBRUSH OnControlColor(HDC deviceContext);
    virtual bool OnClosing();
    virtual int OnDestroyed();
    virtual int OnGotFocus();
    virtual void OnLostFocus();
    virtual int OnActivated();
    virtual int OnDeactivated();
    virtual void OnCreated(HWND createdWindow);
    virtual void Redraw();
    virtual bool GetWaitCursor();
    virtual bool GetHandCursor();
    virtual void SetWaitCursor(bool on);
    virtual void SetHandCursor(bool on);
    virtual void OnShown();
    virtual void OnGridNotify(int notifyKind, std::vector<int> numbers, std::vector<std::string> texts);
    virtual void Create() = 0;
    virtual long AccessibleRole() const { return kRoleClient; }
    // What a screen reader reads when no name or value was given (AccessibleElement.h):
    // the window text as the name, and no value.
    virtual std::wstring OwnAccessibleName() { return GetText(); }
    virtual std::wstring OwnAccessibleValue() { return std::wstring(); }
    // After the form has placed the element's window anew at `newDpi` and given it its font.
    virtual void OnScaleChanged(int newDpi);
    // The pictures cache of a form, which its images share; null for anything else.
    virtual FormPictures* Pictures() { return nullptr; }
    // The layout a form places its children on; none for anything else.
    virtual ChildLayout LaidOutChildren() const { return {}; }

    std::wstring GetText();
    std::string GetTextNarrow();
    // The text as UTF-8, each way: what carries a translated text, whatever its letters.
    void SetTextUtf8(const std::string& newText) { SetText(Utf8ToWide(newText)); }
    std::string GetTextUtf8() { return WideToUtf8(GetText()); }
    POINT GetPosition();
    // Stores the tooltip text and shows it on the window when there is one.
    void SetTooltipText(const std::string& newText);
    void RefreshTooltip();
    void CreateTooltip(HWND owner);
    void Show();
    void Hide();
    // Whether its window holds the keyboard focus.
    bool HasFocus() const;
    void MoveTo(int newX, int newY);
};

// An element that lives inside its parent element's window.
class Child : public GUIElement {
public:
    explicit Child(GUIElement* parentElement, HINSTANCE instanceHandle = nullptr);
};

// Every live element, in construction order; a deleted element leaves an empty entry.
extern std::vector<GUIElement*> ElementRegistry;
// Identifier counter: forms, panels, controls, timers and menu items take n + 1.
extern int nextControlId;
// Advances nextControlId and returns the new value.
int TakeNextControlId();

// Each byte becomes the code unit of the same value; narrowing keeps the low byte.
std::wstring Widen(const std::string& narrowText);
std::string Narrow(const std::wstring& wideText);
// The text a tooltip shows: widened and cut to its first 2023 code units.
std::wstring TooltipText(const std::string& narrowText);
// 64-bit integer to text with "%I64d".
std::string Int64ToText(long long value);
std::wstring Int64ToWideText(long long value);

// Deletes an element (or a FontSpec) through its own class; null is ignored.
template <class T>
void DeleteElement(T* element) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdelete-non-virtual-dtor"
    delete element;
#pragma GCC diagnostic pop
}

// Deletes an element (or a FontSpec) through its own class and forgets the pointer.
template <class T>
void DeleteAndClear(T*& element) {
    DeleteElement(element);
    element = nullptr;
}

// Makes every message of a native control pass through ElementWindowProc first; the
// control's own procedure is kept in previousWindowProc. Call right after the window exists.
void SubclassControl(GUIElement& element);

LRESULT CALLBACK ElementWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace NeloUtility
