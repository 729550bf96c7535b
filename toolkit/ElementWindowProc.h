// The one window procedure of the toolkit and the process-wide state it keeps: every
// window the toolkit makes or subclasses sends its messages here, and they are turned
// into calls of the owning element's virtual operations.
#pragma once

#include "GUIElement.h"

namespace NeloUtility {

class Form;
class PanelChildren;
class SubMenu;

extern HCURSOR waitCursorHandle;
extern HCURSOR handCursorHandle;
extern bool hoverTracking;               // one TrackMouseEvent request outstanding, process-wide
extern Form* activeForm;                 // the form last activated; not owned
extern PanelChildren* activePanel;       // the pop-up panel last activated; not owned
extern PanelChildren* lastClickedPanel;  // the mouse wheel's target for non-panels
extern HWND mainWindow;                  // the first form window ever created

// The element owning the window; while a window is being created (no element holds it
// yet), the newest element when it has no window.
GUIElement* FindElementByWindow(HWND window);
GUIElement* FindElementById(int id);
SubMenu* FindSubMenuById(int id);

// Clears the process-wide pointers that refer to an element being deleted.
void ForgetElement(GUIElement* element);

}  // namespace NeloUtility
