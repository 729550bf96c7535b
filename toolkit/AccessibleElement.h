// What a screen reader is told about an element: its name, role, value and state, read
// through an accessible object that the element's window answers WM_GETOBJECT with, and
// the events that tell a screen reader something changed. Without a description of its
// own an element is described from its role (GUIElement::AccessibleRole) and its window
// text, so every button, label, picture, slider and text box is read as what it is.
//
// The libraries behind the objects are loaded when a screen reader first asks, so a
// program that nobody reads starts no sooner or later for them.
#pragma once

#include "GUIElement.h"

#include <oleacc.h>

#include <string>

namespace NeloUtility {

// States as the platform numbers them (the roles are in GUIElement.h).
constexpr long kStateUnavailable = 0x1;
constexpr long kStateFocused = 0x4;
constexpr long kStateReadOnly = 0x40;
constexpr long kStateInvisible = 0x8000;
constexpr long kStateFocusable = 0x100000;
constexpr long kStateLinked = 0x400000;

// A role of the element's own, instead of the one its kind gives.
void SetAccessibleRole(const GUIElement& element, long role);
// The name and the value a screen reader reads, as UTF-8; a name of several lines is read
// as one. A change on a created element raises the name or value change event.
void SetAccessibleName(const GUIElement& element, const std::string& name);
void SetAccessibleValue(const GUIElement& element, const std::string& value);
// A name was given: the element's own changes (its picture, its text) say nothing more.
bool HasAccessibleName(const GUIElement& element);
// Raises a WinEvent (EVENT_OBJECT_SHOW, ..._STATECHANGE, ...) on the element's client object.
void RaiseAccessibleEvent(const GUIElement& element, DWORD event);
// Called when an element goes: its description goes with it.
void ForgetAccessible(const GUIElement* element);

// A caption as a screen reader reads it: without the "&" that marks its access key ("&&"
// is a plain "&"). An element without a name of its own is read so.
std::wstring WithoutAccessMark(const std::wstring& caption);

// What the element's accessible object answers.
std::wstring AccessibleName(GUIElement& element);
long AccessibleRole(const GUIElement& element);
std::wstring AccessibleValue(GUIElement& element);
long AccessibleState(const GUIElement& element);

// WM_GETOBJECT: the object for the element's client area (OBJID_CLIENT) as the reply, or
// 0 when the default handling is to answer (another object id, a form, no element).
LRESULT AnswerGetObject(GUIElement* element, HWND window, WPARAM flags, LPARAM objectId);
// True once a screen reader has asked an element's window for its client object.
bool ReaderAsked();

// The few COM functions the accessible objects need, looked up on first use; a null
// entry means the platform lacks it.
struct OleFunctions {
    decltype(&LresultFromObject) resultFromObject = nullptr;
    decltype(&CreateStdAccessibleObject) standardObject = nullptr;
    decltype(&SysAllocStringLen) allocString = nullptr;
    decltype(&SysFreeString) freeString = nullptr;
};
// Loads the libraries on the first call and initialises COM on the calling (GUI) thread.
const OleFunctions& Ole();

}  // namespace NeloUtility
