// Top-level windows and the application's message loop.
#pragma once

#include "DisplayScale.h"
#include "GUIElement.h"
#include "Menu.h"  // AnswerCaptions

#include <type_traits>
#include <vector>

namespace NeloUtility {

class Form;

using HotKeyHandler = void (*)(Form* form, unsigned modifiers, unsigned virtualKey);

// A system-wide hot key, registered only while its form is the active one. Entry i of a
// form's list is registered under the id i + 1.
struct HotKey {
    unsigned modifiers = 0;  // MOD_ flags
    unsigned virtualKey = 0;
    HotKeyHandler handler = nullptr;
};

// The work area (the screen less the taskbar) of the monitor that holds most of the window.
RECT WorkAreaOf(HWND window);

// Selects the dialog constructor of Form.
struct DialogFormTag {};
inline constexpr DialogFormTag kDialogForm{};

class Form : public GUIElement {
public:
    Form* companionForm = nullptr;  // kept directly below this form; not owned
    bool dialogTopmost = true;
    bool minimizeBox = true;
    bool maximizeBox = true;
    bool titleBar = true;
    bool dialogStyle = false;
    bool modalFrame = false;
    std::vector<HotKey> hotKeys;
    unsigned iconId = 0;             // 16-bit icon resource id; 0 is the system's application icon
    FormPictures pictures;           // of its images; the program sets the densities
    bool focusMarksHidden = false;   // see HideFocusMarks
    HWND rememberedFocus = nullptr;  // the control focused when the form was left
    HACCEL shortcuts = nullptr;      // its menu items' shortcut keys; not owned (MenuBar)
    // A layout fitted to the window (FitLayout): the scale its children are laid out at
    // and where the layout's top-left corner lies in the client area, in pixels. While
    // layoutDpi is 0 the children follow the form's own scale from the corner.
    int layoutDpi = 0;
    POINT layoutOrigin{0, 0};
    SIZE fittedLayout{0, 0};  // the layout's size in units; {0, 0} until FitLayout
    SIZE leastClient{0, 0};   // the least client area in units a resize leaves; {0, 0}: none
    SIZE wholeClient{0, 0};   // the client area in units ShowWhole keeps whole; {0, 0}: none
    bool accessKeys = false;  // Alt with a letter presses what the letter marks (PressAccessKey)

    explicit Form(HINSTANCE instanceHandle);
    Form(HINSTANCE instanceHandle, DialogFormTag);
    ~Form();

    void Create() override;
    virtual void OnFormHook();
    // A derived form deletes the elements and fonts it owns here; it must leave its pointers
    // null, since its destructor may run after the message loop has called this.
    virtual void ReleaseElements();

    // After creation: the window's outer size becomes whatever gives this client area. A
    // client area that already has the size is left alone, and nothing is repainted.
    void SetClientSize(int clientWidth, int clientHeight);
    // The same for a window that exists but is still being created (inside `Created`,
    // before it is first shown), so that it is painted only at its final size.
    void FitWindowToClient(int clientWidth, int clientHeight);
    void CenterOnScreen();
    // The window given a client area of that many units, or less in the same proportions
    // so that the whole window fits the work area of its monitor, and centred there.
    void FitOnWorkArea(int clientWidth, int clientHeight);
    // Whether a client area of that many units fits the work area with the window's frame.
    bool FitsOnWorkArea(int clientWidth, int clientHeight);
    // A window of fixed size shows a client area of that many units whole: as it is where the
    // window lies inside the work area of its monitor, centred there where it would reach
    // past it, and where it is larger than the work area, shrunk in proportion to fit
    // (FitOnWorkArea) with its children on a layout fitted to it (FitLayout). A change of
    // scale decides again.
    void ShowWhole(int clientWidth, int clientHeight);
    // Asks the window to close (its Closing event may refuse); once the window is gone the
    // form is no longer created.
    void Close();
    // The client area in layout units.
    SIZE ClientSize();
    // The icon resource `iconId` at both sizes the system shows at the window's scale: the
    // small one in the caption, the large one for task switching and a large taskbar. Each
    // is the image of that size from the resource, shared with the module.
    void ShowIcons();
    // WM_DPICHANGED: the window takes the suggested rectangle (if any), and every element
    // of the form, its fonts and its pictures are made again at the new scale. Nothing
    // else of the elements changes.
    void OnDpiChanged(int newDpi, const RECT* suggested);
    // The children stand on a layout of layoutWidth x layoutHeight units that grows and
    // shrinks with the client area as a whole, keeping its proportions, centred in it with
    // the spare space in the form's colour; their fonts and pictures are made at the
    // scale that gives (the screen's density times the window's). Call again whenever the
    // client area changes size; nothing moves while the scale and the place stay.
    void FitLayout(int layoutWidth, int layoutHeight);
    // WM_GETMINMAXINFO: the outer size that keeps leastClient, at the form's scale, and
    // never more than the work area.
    void LimitTrackSize(MINMAXINFO& limits);
    void RegisterHotKeys();
    void UnregisterHotKeys();
    // WM_HOTKEY: runs the handler of entry id - 1 (for the foreground form, see Form.cpp).
    void DeliverHotKey(int id);

    // The focus: remembered when the form is left or disabled, given back when the form
    // itself gets it again. A focused control that can no longer take it (disabled or
    // hidden, checked after every command and timer tick) hands it to DefaultFocus().
    void SetEnabled(bool enable) override;
    int OnGotFocus() override;
    int OnDeactivated() override;
    void RememberFocus();
    void GiveFocusBack();
    void KeepFocus();
    // No focus mark on the buttons until the keyboard is used (Tab shows them again): a
    // form played with the mouse looks as it always did. Call once the window exists.
    void HideFocusMarks(bool hidden);
    // A Yes/No question of the program: no hot keys while it is open, and after No the form
    // is the active window again (unless the player went elsewhere) with its focus back.
    bool AskYesNo(const std::string& question, const std::string& caption,
                  const AnswerCaptions& answers = {});
    // What AskYesNo does after No, for a form that stays after Yes as well.
    void ComeBack();
    // The window, restored if it is minimised, becomes the foreground window (BringToFront).
    void ComeToFront();

    FormPictures* Pictures() override { return &pictures; }
    ChildLayout LaidOutChildren() const override { return ChildLayout{layoutDpi, layoutOrigin}; }

private:
    void PlaceChildren(int childDpi);

public:
    // The control whose caption marks the letter with "&" (a button, or the control after
    // a label) among the form's own visible, enabled controls: a button is focused and
    // pressed, anything else focused. False when no control marks it.
    bool PressAccessKey(int character);

    // The control a player presses next, or null for the form itself.
    virtual GUIElement* DefaultFocus();
    // The system's colours or its contrast theme changed, and the form has been painted
    // again: what else shows the theme (a check mark, say) follows it here.
    virtual void OnThemeChanged();
    // The Windows session ends: what the form must keep is settled here. Nothing is asked,
    // and the window goes with the session afterwards.
    virtual void OnSessionEnd();
    // Another program handed the form data with WM_COPYDATA (tag: its dwData). Anything may
    // arrive here: the form takes only what it knows by the tag and can read whole. True
    // when taken.
    virtual bool OnCopyData(ULONG_PTR tag, const void* bytes, DWORD size);
};

// Whether the form holding the window hides its focus marks (Form::HideFocusMarks).
// Kept by the form as well as in the window's keyboard-cue state, which not every version
// of the platform keeps for owner-drawn buttons.
bool FocusMarksHidden(HWND window);

// The form whose top-level window holds the window, or null.
Form* FormOf(HWND window);
// Restores a top-level window (of any process) if it is minimised and makes it the
// foreground window, without waiting for it.
void BringToFront(HWND window);

// An element handed over for deletion after the message loop ends, with the function that
// deletes it through its own class.
struct DeferredDelete {
    GUIElement* element = nullptr;
    void (*destroy)(GUIElement* element) = nullptr;
};

extern std::vector<DeferredDelete> DeferredDeletes;

namespace detail {
template <class T>
void DestroyDeferred(GUIElement* element) {
    T* typed = static_cast<T*>(element);
    if constexpr (std::is_base_of_v<Form, T>) typed->ReleaseElements();
    DeleteElement(typed);
}
}  // namespace detail

// Hands an element (a form: first ReleaseElements, then its own destructor) to the loop.
template <class T>
void DeferDelete(T* element) {
    if (element == nullptr) return;
    DeferredDeletes.push_back(DeferredDelete{element, &detail::DestroyDeferred<T>});
}

// Runs until the first form window ever created is destroyed, then deletes DeferredDeletes.
void RunMessageLoop(Form* form);

}  // namespace NeloUtility
