// What a screen reader is told about an element: its name, role, value and state, read
// through an accessible object that the element's window answers WM_GETOBJECT with, and
// the events that tell a screen reader something changed. Without a description of its
// own an element is described from its kind and its window text, so every button, label,
// picture, slider and text box is read as what it is.
//
// The libraries behind the objects are loaded when a screen reader first asks, so a
// program that nobody reads starts no sooner or later for them.
#pragma once

#include "GUIElement.h"

#include <oaidl.h>

#include <string>

namespace NeloUtility {

// Roles and states as the platform numbers them.
constexpr long kRoleClient = 0x0A;
constexpr long kRoleLink = 0x1E;
constexpr long kRoleGraphic = 0x28;
constexpr long kRoleStaticText = 0x29;
constexpr long kRoleText = 0x2A;
constexpr long kRolePushButton = 0x2B;
constexpr long kRoleSlider = 0x33;

constexpr long kStateUnavailable = 0x1;
constexpr long kStateFocused = 0x4;
constexpr long kStateReadOnly = 0x40;
constexpr long kStateInvisible = 0x8000;
constexpr long kStateFocusable = 0x100000;
constexpr long kStateLinked = 0x400000;

// A role of the element's own, instead of the one its kind gives.
void SetAccessibleRole(const GUIElement& element, long role);
// The name and the value a screen reader reads. A change on a created element raises the
// name or value change event.
void SetAccessibleName(const GUIElement& element, const std::string& name);
void SetAccessibleValue(const GUIElement& element, const std::string& value);
// Raises a WinEvent (EVENT_OBJECT_SHOW, ..._STATECHANGE, ...) on the element's client object.
void RaiseAccessibleEvent(const GUIElement& element, DWORD event);
// Called when an element goes: its description goes with it.
void ForgetAccessible(const GUIElement* element);

// What the element's accessible object answers.
std::wstring AccessibleName(GUIElement& element);
long AccessibleRole(const GUIElement& element);
std::wstring AccessibleValue(GUIElement& element);
long AccessibleState(const GUIElement& element);

// WM_GETOBJECT: the object for the element's client area (OBJID_CLIENT) as the reply, or
// 0 when the default handling is to answer (another object id, a form, no element).
LRESULT AnswerGetObject(GUIElement* element, HWND window, WPARAM flags, LPARAM objectId);

// The few COM functions the accessible objects need, looked up on first use; a null
// entry means the platform lacks it.
struct OleFunctions {
    HRESULT(WINAPI* initialize)(LPVOID, DWORD) = nullptr;
    LRESULT(WINAPI* resultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* standardObject)(HWND, LONG, REFIID, void**) = nullptr;
    BSTR(WINAPI* allocString)(const OLECHAR*, UINT) = nullptr;
    void(WINAPI* freeString)(BSTR) = nullptr;
};
// Loads the libraries on the first call and initialises COM on the calling (GUI) thread.
const OleFunctions& Ole();

}  // namespace NeloUtility
