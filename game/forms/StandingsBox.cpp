#include "StandingsBox.h"

#include "GameBoxEvents.h"

#include "EveningSetup.h"
#include "FullTableNarrator.h"
#include "NumberText.h"

#include "AccessibleElement.h"

#include <algorithm>
#include <numeric>

namespace DoDadu {

using NeloUtility::Button;
using NeloUtility::Label;

namespace {

constexpr int kMargin = 16;
constexpr int kLineHeight = 26;
constexpr int kNameWidth = 180;
constexpr int kChipsWidth = 110;
constexpr int kRoundsWidth = 118;
constexpr int kButtonWidth = 130;
constexpr int kButtonHeight = 30;

// A seat's name as a static control shows it: "&" is a letter there, not a mark.
std::string Shown(const std::string& name) {
    std::string shown;
    for (char c : name) shown += c == '&' ? std::string("&&") : std::string(1, c);
    return shown;
}

}  // namespace

std::vector<int> StandingsOrder(const std::vector<TableSeat>& seats) {
    std::vector<int> order(seats.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&seats](int a, int b) {
        return seats[static_cast<std::size_t>(a)].chips > seats[static_cast<std::size_t>(b)].chips;
    });
    return order;
}

StandingsBox::StandingsBox(NeloUtility::Form& owner, const TextSource& texts,
                           const std::vector<TableSeat>& seats, NewEveningAsked newEvening)
    : FormBox(&owner), texts(texts), seats(seats), newEvening(newEvening) {
    accessKeys = true;
    Created = BoxCreated<StandingsBox>;
    Closing = BoxClosing<StandingsBox>;
    CharTyped = BoxChar<StandingsBox>;
    SetTextUtf8(texts.Text(TextIds::kStandingsCaption));
}

StandingsBox::~StandingsBox() { ReleaseElements(); }

int StandingsBox::ClientHeight() const {
    return 2 * kMargin + (static_cast<int>(seats.size()) + 1) * kLineHeight + kMargin / 2 + kButtonHeight;
}

void StandingsBox::Open() {
    SetSize(kClientWidth, ClientHeight());
    CenterOnScreen();
    Show();
    SetClientSize(kClientWidth, ClientHeight());
    CenterOnOwner();
    ComeToFront();
    DefaultFocus()->Focus();
}

NeloUtility::GUIElement* StandingsBox::DefaultFocus() {
    return newEveningButton != nullptr ? newEveningButton : closeButton;
}

void StandingsBox::ReleaseElements() {
    for (Label*& label : labels) NeloUtility::DeleteAndClear(label);
    // Everything the box holds on the heap goes here: a box deleted through FormBox (which
    // skips this class's destructor) after its elements were released loses nothing.
    std::vector<Label*>().swap(labels);
    std::vector<Label*>().swap(nameLabels);
    std::vector<TableSeat>().swap(seats);
    NeloUtility::DeleteAndClear(newEveningButton);
    NeloUtility::DeleteAndClear(closeButton);
}

Label* StandingsBox::AddLabel(const std::string& text, int left, int top, int labelWidth, bool right) {
    auto* label = new Label(this, std::string());
    label->CharTyped = BoxChar<StandingsBox>;
    label->font = font;
    label->alignRight = right;
    label->MoveTo(left, top);
    label->SetSize(labelWidth, kLineHeight - 4);
    // A right-aligned text ends in a space, so that a last letter reaching past its advance
    // (the arms of a k in some faces) is not cut at the column's edge.
    label->SetTextUtf8(right ? text + " " : text);
    label->Create();
    labels.push_back(label);
    return label;
}

Button* StandingsBox::AddButton(unsigned textId, int left, int top) {
    auto* button = new Button(this, std::string());
    button->CharTyped = BoxChar<StandingsBox>;
    button->font = font;
    button->MoveTo(left, top);
    button->SetSize(kButtonWidth, kButtonHeight);
    button->SetTextUtf8(texts.Text(textId));
    NeloUtility::SetAccessibleName(*button, WithoutAccessMark(texts.Text(textId)));
    button->command = [](NeloUtility::GUIElement* pressed) {
        if (auto* box = NeloUtility::BoxOf<StandingsBox>(pressed)) box->OnButton(pressed);
    };
    button->Create();
    return button;
}

void StandingsBox::BuildLayout() {
    GroupedNumberFormatter grouped(texts);
    const int chipsLeft = kMargin + kNameWidth, roundsLeft = chipsLeft + kChipsWidth;
    const std::string chipsHeading = texts.Text(TextIds::kStandingsChips);
    const std::string roundsHeading = texts.Text(TextIds::kStandingsBankRounds);
    NeloUtility::SetAccessibleName(*AddLabel(chipsHeading, chipsLeft, kMargin, kChipsWidth, true),
                                   chipsHeading);
    NeloUtility::SetAccessibleName(*AddLabel(roundsHeading, roundsLeft, kMargin, kRoundsWidth, true),
                                   roundsHeading);
    int top = kMargin + kLineHeight;
    for (int index : StandingsOrder(seats)) {
        const TableSeat& seat = seats[static_cast<std::size_t>(index)];
        const std::string chips = grouped.Format(seat.chips), rounds = grouped.Format(seat.roundsAsBank);
        Label* name = AddLabel(Shown(seat.name), kMargin, top, kNameWidth, false);
        NeloUtility::SetAccessibleName(*name, seat.name);
        NeloUtility::SetAccessibleValue(
            *name, FillPlaceholders(texts.Text(TextIds::kStandingsLine),
                                    {{"chips", ChipsInWords(seat.chips, texts)}, {"rounds", rounds}}));
        nameLabels.push_back(name);
        Label* chipsLabel = AddLabel(chips, chipsLeft, top, kChipsWidth, true);
        NeloUtility::SetAccessibleName(*chipsLabel, seat.name + ": " + chipsHeading);
        NeloUtility::SetAccessibleValue(*chipsLabel, chips);
        Label* roundsLabel = AddLabel(rounds, roundsLeft, top, kRoundsWidth, true);
        NeloUtility::SetAccessibleName(*roundsLabel, seat.name + ": " + roundsHeading);
        NeloUtility::SetAccessibleValue(*roundsLabel, rounds);
        top += kLineHeight;
    }
    top += kMargin / 2;
    if (newEvening == nullptr) {  // Close alone, in the middle
        closeButton = AddButton(TextIds::kStandingsClose, (kClientWidth - kButtonWidth) / 2, top);
        return;
    }
    const int left = kClientWidth / 2 - kButtonWidth - kMargin / 2;
    newEveningButton = AddButton(TextIds::kStandingsNewEvening, left, top);
    closeButton = AddButton(TextIds::kStandingsClose, left + kButtonWidth + kMargin, top);
}

void StandingsBox::OnButton(NeloUtility::GUIElement* button) {
    if (button != newEveningButton && button != closeButton) return;
    // The box may go with the call: what it calls is taken first.
    NeloUtility::Form* to = owner;
    const NewEveningAsked asked = button == newEveningButton ? newEvening : nullptr;
    Close();
    if (to != nullptr && asked != nullptr) asked(*to);
}

bool StandingsBox::OnBoxChar(int character) {
    return AnswerBoxKey(*this, character, DefaultFocus(), {closeButton});
}

NeloUtility::FormBox* OpenStandings(NeloUtility::Form& owner, const TextSource& texts,
                                    const std::vector<TableSeat>& seats, NewEveningAsked newEvening) {
    auto* box = new StandingsBox(owner, texts, seats, newEvening);
    box->Open();
    return box;
}

}  // namespace DoDadu
