#include "ContrastTheme.h"

#include "Form.h"

#include <cwchar>

namespace NeloUtility {

namespace {

ContrastChoice choiceNow = ContrastChoice::FollowSystem;

bool AskWindows() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

SystemContrastQuery systemQuery = AskWindows;

bool IsButtonWindow(HWND control) {
    wchar_t name[16] = {};
    return control != nullptr && GetClassNameW(control, name, 16) > 0 && _wcsicmp(name, L"Button") == 0;
}

BOOL CALLBACK TellColoursChanged(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

bool SystemContrastOn() { return systemQuery(); }

void SetSystemContrastQuery(SystemContrastQuery query) {
    systemQuery = query != nullptr ? query : AskWindows;
}

bool ContrastOn() {
    switch (choiceNow) {
        case ContrastChoice::On: return true;
        case ContrastChoice::Off: return false;
        case ContrastChoice::FollowSystem: break;
    }
    return SystemContrastOn();
}

ContrastChoice CurrentContrastChoice() { return choiceNow; }

void SetContrastChoice(ContrastChoice choice) {
    const bool before = ContrastOn();
    choiceNow = choice;
    if (ContrastOn() != before) RepaintEveryForm();
}

COLORREF ThemeColour(COLORREF own, int systemIndex) { return ContrastOn() ? GetSysColor(systemIndex) : own; }

HBRUSH SystemControlColours(HDC deviceContext, HWND control) {
    if (!ContrastOn()) return nullptr;
    const bool button = IsButtonWindow(control);
    const int face = button ? COLOR_BTNFACE : COLOR_WINDOW;
    SetBkColor(deviceContext, GetSysColor(face));
    SetTextColor(deviceContext, GetSysColor(button ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
    return GetSysColorBrush(face);
}

void RepaintEveryForm() {
    for (GUIElement* element : ElementRegistry) {
        auto* form = dynamic_cast<Form*>(element);
        if (form != nullptr && form->created) RepaintForm(form->window);
    }
}

void RepaintForm(HWND formWindow) {
    if (formWindow == nullptr || !IsWindow(formWindow)) return;
    EnumChildWindows(formWindow, TellColoursChanged, 0);
    RedrawWindow(formWindow, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace NeloUtility
