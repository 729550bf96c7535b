#include "ChoiceBox.h"

#include "AccessibleElement.h"
#include "DisplayScale.h"
#include "Label.h"

namespace NeloUtility {

namespace {

constexpr DWORD kListStyle = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr int kEnter = 13;
constexpr int kEscape = 27;

}  // namespace

ChoiceBox::ChoiceBox(GUIElement* parentElement) : Child(parentElement) {
    kind = "choicebox";
    width = 120;
    height = fieldHeight;
}

void ChoiceBox::SetChoices(const std::vector<std::string>& texts) {
    choices = texts;
    if (selected >= static_cast<int>(choices.size())) selected = 0;
    // The window's height is that of the open list: room for every choice below the field.
    height = fieldHeight * (static_cast<int>(choices.size()) + 1) + 4;
    if (!created) return;
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
    for (const std::string& choice : choices)
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(choice).c_str()));
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void ChoiceBox::Select(int index) {
    if (index < 0 || index >= static_cast<int>(choices.size()) || index == selected) return;
    selected = index;
    if (!created) return;
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    RaiseAccessibleEvent(*this, EVENT_OBJECT_VALUECHANGE);
}

void ChoiceBox::Create() {
    if (created) return;
    SetChoices(choices);
    window = MakeControlWindow(*this, L"ComboBox", BaseControlStyle(*this) | kListStyle, 0);
    if (window) SubclassControl(*this);
    created = true;
    FinishControl(*this);
    if (window == nullptr) return;
    SetChoices(choices);
    FitField(ElementDpi(*this));
}

std::wstring ChoiceBox::OwnAccessibleValue() {
    if (selected < 0 || selected >= static_cast<int>(choices.size())) return std::wstring();
    return Utf8ToWide(choices[static_cast<std::size_t>(selected)]);
}

void ChoiceBox::OnScaleChanged(int newDpi) {
    GUIElement::OnScaleChanged(newDpi);
    FitField(newDpi);
}

// The closed box is fieldHeight tall at any scale: its item height is set, then put right
// by what the frame really adds.
void ChoiceBox::FitField(int dpi) {
    if (window == nullptr) return;
    const int wanted = ToPixels(fieldHeight, dpi);
    for (int pass = 0; pass < 2; ++pass) {
        const LRESULT item = SendMessageW(window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        RECT field{};
        GetWindowRect(window, &field);
        const int shown = field.bottom - field.top;
        if (item == CB_ERR || shown == wanted) return;
        const int next = static_cast<int>(item) + wanted - shown;
        if (next <= 0) return;
        SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), next);
        SendMessageW(window, CB_SETITEMHEIGHT, 0, next);
    }
}

int ChoiceBox::OnKeyDown(int virtualKey) {
    closingKey = (virtualKey == VK_RETURN || virtualKey == VK_ESCAPE) && created &&
                 SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    return GUIElement::OnKeyDown(virtualKey);
}

bool ChoiceBox::OnChar(int character) {
    if (closingKey && (character == kEnter || character == kEscape)) {
        closingKey = false;
        return false;
    }
    return GUIElement::OnChar(character);
}

void ChoiceBox::OnNotification(int code) {
    if (code != CBN_SELCHANGE || !created) return;
    const LRESULT now = SendMessageW(window, CB_GETCURSEL, 0, 0);
    if (now == CB_ERR || now == selected) return;
    selected = static_cast<int>(now);
    RaiseAccessibleEvent(*this, EVENT_OBJECT_VALUECHANGE);
    if (Chosen) Chosen(this, selected);
}

}  // namespace NeloUtility
