#include "TableNarrator.h"

#include "FormMain.h"
#include "RoundSentences.h"

#include "AccessibleElement.h"
#include "ScreenReaderNotice.h"

namespace DoDadu {

using namespace NeloUtility;

namespace {

// "4.5" as the cell shows it, with its unit.
std::string PointsName(const std::string& shown) { return shown + (shown == "1" ? " point" : " points"); }

// A window that can take the focus.
bool Usable(HWND window) { return window != nullptr && IsWindowEnabled(window) && IsWindowVisible(window); }

}  // namespace

TableNarrator::TableNarrator(FormMain& table) : form(table) {}

GUIElement* TableNarrator::Cell(TableCell cell) const {
    switch (cell) {
        case TableCell::Message: return form.messageCell;
        case TableCell::DealerPoints: return form.dealerPointsCell;
        case TableCell::PlayerPoints: return form.playerPointsCell;
        case TableCell::Remaining: return form.remainingCell;
        case TableCell::Score: return form.scoreCell;
    }
    return nullptr;
}

void TableNarrator::DescribeTable() {
    if (form.logoImage != nullptr) SetAccessibleName(*form.logoImage, "Zandro++");
    if (form.stakeSlider != nullptr) SetAccessibleName(*form.stakeSlider, "Stake");
    if (form.stakeButton != nullptr)
        CaptionChanged(TableControl::StakeButton, form.stakeButton->GetTextNarrow());
    for (TableCell cell : {TableCell::Message, TableCell::DealerPoints, TableCell::PlayerPoints,
                           TableCell::Remaining, TableCell::Score})
        if (GUIElement* element = Cell(cell)) CellChanged(cell, element->GetTextNarrow());
}

void TableNarrator::CellChanged(TableCell cell, const std::string& text) {
    GUIElement* element = Cell(cell);
    if (element == nullptr) return;
    switch (cell) {
        case TableCell::Message: SetAccessibleName(*element, text); break;
        case TableCell::DealerPoints: SetAccessibleName(*element, "Dealer: " + PointsName(text)); break;
        case TableCell::PlayerPoints: SetAccessibleName(*element, "Player: " + PointsName(text)); break;
        case TableCell::Remaining: SetAccessibleName(*element, "Remaining cards: " + text); break;
        case TableCell::Score: SetAccessibleName(*element, "Score: " + text); break;
    }
}

// A card place is named after the card it shows; a place that comes into view says so,
// one that already showed a card says that it now shows another (a card turned).
void TableNarrator::CardShown(const Image& place, int picture, bool wasShown) {
    SetAccessibleName(place, CardName(picture - kCardBackPicture));
    if (!wasShown) RaiseAccessibleEvent(place, EVENT_OBJECT_SHOW);
}

void TableNarrator::CardHidden(const Image& place, bool wasShown) {
    if (wasShown) RaiseAccessibleEvent(place, EVENT_OBJECT_HIDE);
}

void TableNarrator::ControlEnabled(const GUIElement& control, bool wasEnabled) {
    if (control.enabled != wasEnabled) RaiseAccessibleEvent(control, EVENT_OBJECT_STATECHANGE);
}

// START's caption is its name; the stake shows on a button and is the slider's value.
void TableNarrator::CaptionChanged(TableControl control, const std::string& caption) {
    if (control == TableControl::StartButton && form.startButton != nullptr)
        RaiseAccessibleEvent(*form.startButton, EVENT_OBJECT_NAMECHANGE);
    if (control != TableControl::StakeButton) return;
    if (form.stakeButton != nullptr) SetAccessibleName(*form.stakeButton, "Stake: " + caption);
    if (form.stakeSlider != nullptr) SetAccessibleValue(*form.stakeSlider, caption);
}

void TableNarrator::Speak(const std::string& sentence) const {
    ScreenReaderNotice(form.window).Speak(sentence);
}

void TableNarrator::RememberFocus() {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(form.window, focus)) rememberedFocus = focus;
}

// The table itself got the focus (it was activated, or the dealer plays): the control the
// player left is given back when it can still be pressed.
void TableNarrator::TableFocused() {
    HWND remembered = rememberedFocus;
    rememberedFocus = nullptr;
    if (IsChild(form.window, remembered) && Usable(remembered))
        SetFocus(remembered);
    else
        KeepFocus();
}

// What a player presses next: START between rounds, GET CARD (or STOP once no card can be
// drawn) in the player's turn. While the dealer plays there is nothing to press, and the
// table itself holds the focus.
GUIElement* TableNarrator::NextControl() const {
    switch (form.round.Phase()) {
        case RoundPhase::Idle: return form.startButton;
        case RoundPhase::PlayerTurn:
            return form.getCardButton != nullptr && form.getCardButton->enabled ? form.getCardButton
                                                                                : form.stopButton;
        default: return nullptr;
    }
}

void TableNarrator::KeepFocus() {
    HWND table = form.window;
    if (table == nullptr || GetActiveWindow() != table) return;
    HWND focus = GetFocus();
    if (focus != table && IsChild(table, focus) && Usable(focus)) return;
    GUIElement* next = NextControl();
    HWND target = next != nullptr && Usable(next->window) ? next->window : table;
    if (focus != target) SetFocus(target);
}

void TableNarrator::ReturnToTable() {
    HWND front = GetForegroundWindow();
    DWORD owner = 0;
    if (front != nullptr) GetWindowThreadProcessId(front, &owner);
    if (front == nullptr || (owner == GetCurrentProcessId() && front != form.window))
        SetForegroundWindow(form.window);
    else if (front == form.window && GetFocus() == nullptr)
        TableFocused();
}

}  // namespace DoDadu
