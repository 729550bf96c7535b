// Contrast themes: whether the program's windows drop their own colours for the system's,
// and the colours they use then. The answer is the player's own switch when there is one,
// else what Windows says (a contrast theme is on). With the answer off nothing here
// changes a pixel of what the elements paint.
#pragma once

#include <windows.h>

namespace NeloUtility {

// The player's switch: follow Windows, or on or off whatever Windows says.
enum class ContrastChoice { FollowSystem, On, Off };

// The one answer to "are the system's colours wanted?".
bool ContrastOn();

// The switch as it is now, and a new one. When the answer changes with it, every open
// form is repainted at once (RepaintEveryForm).
ContrastChoice CurrentContrastChoice();
void SetContrastChoice(ContrastChoice choice);

// What Windows says: a contrast theme is on. A test puts its own answer in its place
// (a system that cannot switch one on, for instance); null gives the system's back.
using SystemContrastQuery = bool (*)();
void SetSystemContrastQuery(SystemContrastQuery query);
bool SystemContrastOn();

// The element's own colour, or while contrast is on the system's colour `systemIndex`
// (COLOR_WINDOW, COLOR_WINDOWTEXT, ...).
COLORREF ThemeColour(COLORREF own, int systemIndex);

// The colours of a native control inside a window of the toolkit while contrast is on:
// a button's face and text for buttons, the window's for everything else. Sets them in
// the context and answers the system's brush (not ours to delete); null while off.
HBRUSH SystemControlColours(HDC deviceContext, HWND control);

// Every created form of the process, with every window inside, is painted again, and the
// native controls hear that the system's colours changed (they keep their own copies).
void RepaintEveryForm();
// The same for the one form whose top-level window this is.
void RepaintForm(HWND formWindow);

}  // namespace NeloUtility
