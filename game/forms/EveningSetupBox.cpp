#include "EveningSetupBox.h"

#include "GameBoxEvents.h"

#include "AccessibleElement.h"
#include "ScreenReaderNotice.h"

#include <algorithm>

namespace DoDadu {

using NeloUtility::Button;
using NeloUtility::ChoiceBox;
using NeloUtility::GUIElement;
using NeloUtility::Label;
using NeloUtility::TextBox;

namespace {

constexpr int kMargin = 16;
constexpr int kRowHeight = 30;
constexpr int kFieldHeight = 24;
constexpr int kLabelDrop = 4;  // a label's text sits level with the field beside it
constexpr int kButtonHeight = 28;
// The seats' columns on the left, the rules' names and fields on the right.
constexpr int kNameLeft = kMargin, kNameWidth = 170;
constexpr int kPlayedLeft = 194, kPlayedWidth = 110;
constexpr int kStyleLeft = 312, kStyleWidth = 110;
constexpr int kSeatsTop = 40;
constexpr int kRuleLabelLeft = 446, kRuleLabelWidth = 230;
constexpr int kRuleLeft = 680, kRuleWidth = 170;
constexpr int kProblemTop = 360;
constexpr int kButtonsTop = 408;
constexpr int kRoundsWhenPassing = 10;  // shown when the bank starts passing after some rounds

const std::vector<unsigned> kPlayedByChoices = {TextIds::kSetupPerson, TextIds::kSetupComputer};
const std::vector<unsigned> kStyleChoices = {TextIds::kSetupCareful, TextIds::kSetupBold,
                                             TextIds::kSetupExpert};
const std::vector<unsigned> kPresetChoices = {TextIds::kSetupRulesItalian, TextIds::kSetupRulesSpanish,
                                              TextIds::kSetupRulesCustom};
const std::vector<unsigned> kYesNoChoices = {TextIds::kSetupYes, TextIds::kSetupNo};
const std::vector<unsigned> kPaysChoices = {TextIds::kSetupDoubleNone, TextIds::kSetupDoubleTwoCards,
                                            TextIds::kSetupDoubleAny};
const std::vector<unsigned> kPassChoices = {TextIds::kSetupPassNever, TextIds::kSetupPassDeck,
                                            TextIds::kSetupPassRounds};

void ChoiceChosen(ChoiceBox* choice, int index) {
    if (auto* box = NeloUtility::BoxOf<EveningSetupBox>(choice)) box->OnChosen(choice, index);
}

void FieldLeft(GUIElement* element) {
    if (auto* box = NeloUtility::BoxOf<EveningSetupBox>(element)) box->FollowChoices();
}

std::string Number(std::int64_t value) { return std::to_string(value); }

}  // namespace

EveningSetupBox::EveningSetupBox(NeloUtility::Form& owner, const TextSource& texts, const EveningSetup& start,
                                 SetupAccepted accepted, unsigned captionId)
    : FormBox(&owner), texts(texts), start(start), accepted(accepted) {
    accessKeys = true;
    Created = BoxCreated<EveningSetupBox>;
    Closing = BoxClosing<EveningSetupBox>;
    CharTyped = BoxChar<EveningSetupBox>;
    SetTextUtf8(texts.Text(captionId));
}

EveningSetupBox::~EveningSetupBox() { ReleaseElements(); }

void EveningSetupBox::Open() {
    SetSize(kClientWidth, kClientHeight);
    CenterOnScreen();
    Show();
    SetClientSize(kClientWidth, kClientHeight);
    CenterOnOwner();
    ComeToFront();
    DefaultFocus()->Focus();
    SendMessageW(rows[0].name->window, EM_SETSEL, 0, -1);
}

void EveningSetupBox::ReleaseElements() {
    for (GUIElement*& element : owned) {
        if (auto* label = dynamic_cast<Label*>(element))
            NeloUtility::DeleteElement(label);
        else if (auto* box = dynamic_cast<TextBox*>(element))
            NeloUtility::DeleteElement(box);
        else if (auto* choice = dynamic_cast<ChoiceBox*>(element))
            NeloUtility::DeleteElement(choice);
        else if (auto* button = dynamic_cast<Button*>(element))
            NeloUtility::DeleteElement(button);
        element = nullptr;
    }
    // Everything the box holds on the heap goes here: a box deleted through FormBox (which
    // skips this class's destructor) after its elements were released loses nothing.
    std::vector<GUIElement*>().swap(owned);
    start = EveningSetup{};
    rows = {};
    addButton = removeButton = okButton = cancelButton = nullptr;
    chipsBox = passEveryBox = minStakeBox = maxStakeBox = stepBox = nullptr;
    rulesChoice = wildChoice = paysChoice = royalChoice = takesChoice = passesChoice = coverChoice = nullptr;
    problem = nullptr;
}

GUIElement* EveningSetupBox::DefaultFocus() { return rows[0].name; }

// ---- the controls -----------------------------------------------------------------

namespace {
template <class T>
T* Placed(T* element, NeloUtility::FontSpec* font, int left, int top, int elementWidth, int elementHeight) {
    element->CharTyped = BoxChar<EveningSetupBox>;
    element->font = font;
    element->MoveTo(left, top);
    element->SetSize(elementWidth, elementHeight);
    return element;
}
}  // namespace

Label* EveningSetupBox::AddLabel(unsigned textId, int left, int top, int labelWidth) {
    auto* label =
        Placed(new Label(this, std::string()), font, left, top + kLabelDrop, labelWidth, kFieldHeight - 4);
    label->SetTextUtf8(texts.Text(textId));
    NeloUtility::SetAccessibleName(*label, WithoutAccessMark(texts.Text(textId)));
    label->Create();
    owned.push_back(label);
    return label;
}

ChoiceBox* EveningSetupBox::AddChoice(const std::vector<unsigned>& choiceIds, const std::string& name,
                                      int left, int top, int choiceWidth) {
    auto* choice = Placed(new ChoiceBox(this), font, left, top, choiceWidth, kFieldHeight);
    choice->fieldHeight = kFieldHeight;
    std::vector<std::string> shown;
    shown.reserve(choiceIds.size());
    for (unsigned id : choiceIds) shown.push_back(texts.Text(id));
    choice->SetChoices(shown);
    choice->Chosen = ChoiceChosen;
    NeloUtility::SetAccessibleName(*choice, name);
    choice->Create();
    owned.push_back(choice);
    return choice;
}

TextBox* EveningSetupBox::AddNumber(const std::string& name, int left, int top, int boxWidth) {
    auto* box = Placed(new TextBox(this, std::string()), font, left, top, boxWidth, kFieldHeight);
    box->numbersOnly = true;
    box->alignRight = true;
    box->maxLength = 10;
    box->LostFocus = FieldLeft;
    NeloUtility::SetAccessibleName(*box, name);
    box->Create();
    owned.push_back(box);
    return box;
}

Button* EveningSetupBox::AddButton(unsigned textId, int left, int top, int buttonWidth) {
    auto* button = Placed(new Button(this, std::string()), font, left, top, buttonWidth, kButtonHeight);
    button->SetTextUtf8(texts.Text(textId));
    NeloUtility::SetAccessibleName(*button, WithoutAccessMark(texts.Text(textId)));
    button->command = [](GUIElement* pressed) {
        if (auto* box = NeloUtility::BoxOf<EveningSetupBox>(pressed)) box->OnButton(pressed);
    };
    button->Create();
    owned.push_back(button);
    return button;
}

// Each heading comes just before the first seat's control it names, so that its letter
// leads there; the rows follow in the order Tab goes.
void EveningSetupBox::BuildSeats() {
    for (int seat = 0; seat < kMaxSeats; ++seat) {
        const std::string number = std::to_string(seat + 1);
        const int top = kSeatsTop + seat * kRowHeight;
        SeatRow& row = rows[static_cast<std::size_t>(seat)];
        if (seat == 0) AddLabel(TextIds::kSetupName, kNameLeft, kMargin - kLabelDrop, kNameWidth);
        row.name = Placed(new TextBox(this, std::string()), font, kNameLeft, top, kNameWidth, kFieldHeight);
        row.name->maxLength = 64;
        NeloUtility::SetAccessibleName(
            *row.name, FillPlaceholders(texts.Text(TextIds::kSetupSeatName), {{"number", number}}));
        row.name->Create();
        owned.push_back(row.name);
        if (seat == 0) AddLabel(TextIds::kSetupPlayedBy, kPlayedLeft, kMargin - kLabelDrop, kPlayedWidth);
        row.playedBy = AddChoice(
            kPlayedByChoices, FillPlaceholders(texts.Text(TextIds::kSetupSeatPlayedBy), {{"number", number}}),
            kPlayedLeft, top, kPlayedWidth);
        if (seat == 0) AddLabel(TextIds::kSetupStyle, kStyleLeft, kMargin - kLabelDrop, kStyleWidth);
        row.style = AddChoice(kStyleChoices,
                              FillPlaceholders(texts.Text(TextIds::kSetupSeatStyle), {{"number", number}}),
                              kStyleLeft, top, kStyleWidth);
    }
    const int buttonsTop = kSeatsTop + kMaxSeats * kRowHeight + 6;
    addButton = AddButton(TextIds::kSetupAddSeat, kNameLeft, buttonsTop, 125);
    removeButton = AddButton(TextIds::kSetupRemoveSeat, kNameLeft + 133, buttonsTop, 125);
    const int chipsTop = buttonsTop + kButtonHeight + 12;
    AddLabel(TextIds::kSetupChips, kNameLeft, chipsTop, kNameWidth);
    chipsBox =
        AddNumber(WithoutAccessMark(texts.Text(TextIds::kSetupChips)), kPlayedLeft, chipsTop, kPlayedWidth);
}

void EveningSetupBox::BuildRules() {
    int top = kMargin;
    auto next = [&top](int) { return (top += kRowHeight) - kRowHeight; };
    auto choice = [&](unsigned label, const std::vector<unsigned>& choices) {
        const int at = next(0);
        AddLabel(label, kRuleLabelLeft, at, kRuleLabelWidth);
        return AddChoice(choices, WithoutAccessMark(texts.Text(label)), kRuleLeft, at, kRuleWidth);
    };
    auto number = [&](unsigned label) {
        const int at = next(0);
        AddLabel(label, kRuleLabelLeft, at, kRuleLabelWidth);
        return AddNumber(WithoutAccessMark(texts.Text(label)), kRuleLeft, at, kRuleWidth / 2);
    };
    rulesChoice = choice(TextIds::kSetupRules, kPresetChoices);
    wildChoice = choice(TextIds::kSetupWildCard, kYesNoChoices);
    paysChoice = choice(TextIds::kSetupDoublePay, kPaysChoices);
    royalChoice = choice(TextIds::kSetupRoyal, kYesNoChoices);
    takesChoice = choice(TextIds::kSetupTwoCardTakes, kYesNoChoices);
    passesChoice = choice(TextIds::kSetupPasses, kPassChoices);
    passEveryBox = number(TextIds::kSetupPassEvery);
    minStakeBox = number(TextIds::kSetupMinStake);
    maxStakeBox = number(TextIds::kSetupMaxStake);
    stepBox = number(TextIds::kSetupStakeStep);
    coverChoice = choice(TextIds::kSetupCover, kYesNoChoices);
}

void EveningSetupBox::BuildLayout() {
    BuildSeats();
    BuildRules();
    problem = Placed(new Label(this, std::string()), font, kMargin, kProblemTop, kClientWidth - 2 * kMargin,
                     kButtonsTop - kProblemTop - 8);
    problem->Create();
    owned.push_back(problem);
    const int buttonWidth = 100;
    okButton =
        AddButton(TextIds::kSetupOk, kClientWidth - kMargin - 2 * buttonWidth - 8, kButtonsTop, buttonWidth);
    cancelButton =
        AddButton(TextIds::kSetupCancel, kClientWidth - kMargin - buttonWidth, kButtonsTop, buttonWidth);
    ShowSetup(start);
}

// ---- what the controls show --------------------------------------------------------

void EveningSetupBox::ShowSetup(const EveningSetup& setup) {
    const int count = std::clamp(static_cast<int>(setup.seats.size()), kMinSeats, kMaxSeats);
    for (int seat = 0; seat < count && seat < static_cast<int>(setup.seats.size()); ++seat) {
        const TableSeat& shown = setup.seats[static_cast<std::size_t>(seat)];
        SeatRow& row = rows[static_cast<std::size_t>(seat)];
        row.name->SetTextUtf8(shown.name);
        row.playedBy->Select(shown.kind == SeatKind::Person ? 0 : 1);
        row.style->Select(static_cast<int>(shown.style));
    }
    ShowSeatCount(count);
    chipsBox->SetTextUtf8(Number(setup.seats.empty() ? kStartingChips : setup.seats.front().chips));
    ShowRules(setup.rules);
}

void EveningSetupBox::ShowRules(const HouseRules& rules) {
    wildChoice->Select(rules.wildCard ? 0 : 1);
    paysChoice->Select(static_cast<int>(rules.doublePay));
    royalChoice->Select(rules.royalSevenAndHalf ? 0 : 1);
    takesChoice->Select(rules.twoCardTakesBank ? 0 : 1);
    passesChoice->Select(static_cast<int>(rules.passing));
    passEveryBox->SetTextUtf8(rules.passEvery > 0 ? Number(rules.passEvery) : std::string());
    minStakeBox->SetTextUtf8(Number(rules.minStake));
    maxStakeBox->SetTextUtf8(Number(rules.maxStake));
    stepBox->SetTextUtf8(Number(rules.stakeStep));
    coverChoice->Select(rules.cover ? 0 : 1);
    FollowChoices();
}

EveningSetup EveningSetupBox::ReadSetup(SetupNumbers& numbers) {
    EveningSetup setup;
    setup.rules = RulesShown();
    for (int seat = 0; seat < seatCount; ++seat) {
        const SeatRow& row = rows[static_cast<std::size_t>(seat)];
        TableSeat read;
        read.name = row.name->GetTextUtf8();
        read.kind = row.playedBy->Selected() == 0 ? SeatKind::Person : SeatKind::Computer;
        read.style = read.kind == SeatKind::Person ? PlayStyle::Careful
                                                   : static_cast<PlayStyle>(row.style->Selected());
        setup.seats.push_back(read);
    }
    // The bank drawn for the seats the box opened with; for another number of seats, drawn again.
    const bool sameSeats = static_cast<int>(start.seats.size()) == seatCount;
    setup.firstBank =
        sameSeats && start.firstBank < seatCount ? start.firstBank : SharedRandom().Draw() % seatCount;
    numbers.minStake = minStakeBox->GetTextUtf8();
    numbers.maxStake = maxStakeBox->GetTextUtf8();
    numbers.stakeStep = stepBox->GetTextUtf8();
    numbers.passEvery = passEveryBox->GetTextUtf8();
    numbers.chips = chipsBox->GetTextUtf8();
    return setup;
}

// The rules the fields make; a number that is not one reads 0 and so matches no preset.
HouseRules EveningSetupBox::RulesShown() const {
    auto read = [](TextBox* box) {
        return static_cast<int>(WholeNumber(box->GetTextUtf8(), 0, kMostStartingChips).value_or(0));
    };
    HouseRules rules;
    rules.wildCard = wildChoice->Selected() == 0;
    rules.doublePay = static_cast<DoublePay>(paysChoice->Selected());
    rules.royalSevenAndHalf = royalChoice->Selected() == 0;
    rules.twoCardTakesBank = takesChoice->Selected() == 0;
    rules.cover = coverChoice->Selected() == 0;
    rules.passing = static_cast<BankPassing>(passesChoice->Selected());
    rules.passEvery = rules.passing == BankPassing::EveryRounds ? read(passEveryBox) : 0;
    rules.minStake = read(minStakeBox);
    rules.maxStake = read(maxStakeBox);
    rules.stakeStep = read(stepBox);
    return rules;
}

void EveningSetupBox::ShowSeatCount(int count) {
    seatCount = count;
    for (int seat = 0; seat < kMaxSeats; ++seat) {
        const SeatRow& row = rows[static_cast<std::size_t>(seat)];
        for (GUIElement* control :
             {static_cast<GUIElement*>(row.name), static_cast<GUIElement*>(row.playedBy),
              static_cast<GUIElement*>(row.style)}) {
            if (seat < count)
                control->Show();
            else
                control->Hide();
        }
    }
    addButton->SetEnabled(count < kMaxSeats);
    removeButton->SetEnabled(count > kMinSeats);
}

void EveningSetupBox::FollowChoices() {
    for (const SeatRow& row : rows) row.style->SetEnabled(row.playedBy->Selected() == 1);
    const bool everyRounds = passesChoice->Selected() == static_cast<int>(BankPassing::EveryRounds);
    passEveryBox->SetEnabled(everyRounds);
    if (everyRounds && passEveryBox->GetText().empty()) passEveryBox->SetTextUtf8(Number(kRoundsWhenPassing));
    rulesChoice->Select(static_cast<int>(PresetOf(RulesShown())));
}

void EveningSetupBox::ChoosePreset(RulesPreset preset) {
    if (preset != RulesPreset::Custom) ShowRules(PresetRules(preset));
}

void EveningSetupBox::OnChosen(ChoiceBox* choice, int index) {
    if (choice == rulesChoice)
        ChoosePreset(static_cast<RulesPreset>(index));
    else
        FollowChoices();
}

// ---- the seats, the keys and the buttons ---------------------------------------------

void EveningSetupBox::AddSeat() {
    if (seatCount >= kMaxSeats) return;
    std::vector<TableSeat> seats;
    for (int seat = 0; seat < seatCount; ++seat) {
        TableSeat named;
        named.name = rows[static_cast<std::size_t>(seat)].name->GetTextUtf8();
        seats.push_back(named);
    }
    SeatRow& row = rows[static_cast<std::size_t>(seatCount)];
    row.name->SetTextUtf8(NameForNewSeat(seats, texts));
    row.playedBy->Select(1);
    row.style->Select(0);
    ShowSeatCount(seatCount + 1);
    FollowChoices();
    row.name->Focus();
    SendMessageW(row.name->window, EM_SETSEL, 0, -1);
}

void EveningSetupBox::RemoveSeat() {
    if (seatCount <= kMinSeats) return;
    ShowSeatCount(seatCount - 1);
    if (!removeButton->enabled) addButton->Focus();
}

void EveningSetupBox::OnButton(GUIElement* button) {
    if (button == addButton) AddSeat();
    if (button == removeButton) RemoveSeat();
    if (button == okButton) Accept();
    if (button == cancelButton) Close();
}

bool EveningSetupBox::OnBoxChar(int character) {
    return AnswerBoxKey(*this, character, okButton, {addButton, removeButton, cancelButton});
}

GUIElement* EveningSetupBox::FieldControl(const SetupProblem& found) {
    switch (found.field) {
        case SetupField::Name:
            return found.seat >= 0 && found.seat < seatCount ? rows[static_cast<std::size_t>(found.seat)].name
                                                             : nullptr;
        case SetupField::MinStake: return minStakeBox;
        case SetupField::MaxStake: return maxStakeBox;
        case SetupField::StakeStep: return stepBox;
        case SetupField::PassEvery: return passEveryBox;
        case SetupField::Chips: return chipsBox;
        case SetupField::None: break;
    }
    return nullptr;
}

void EveningSetupBox::ShowProblem(const SetupProblem& found) {
    problem->SetTextUtf8(found.message);
    NeloUtility::ScreenReaderNotice(*this).Speak(found.message);
    if (GUIElement* field = FieldControl(found)) {
        field->Focus();
        SendMessageW(field->window, EM_SETSEL, 0, -1);
    }
}

void EveningSetupBox::Accept() {
    SetupNumbers numbers;
    EveningSetup setup = ReadSetup(numbers);
    GroupedNumberFormatter grouped(texts);
    const SetupProblem found = CheckSetup(setup, numbers, texts, grouped);
    if (!found.message.empty()) {
        ShowProblem(found);
        return;
    }
    // The box may go with the call: what it hands over is taken first.
    NeloUtility::Form* to = owner;
    const SetupAccepted handOver = accepted;
    Close();
    if (to != nullptr && handOver != nullptr) handOver(*to, setup);
}

NeloUtility::FormBox* OpenEveningSetup(NeloUtility::Form& owner, const TextSource& texts,
                                       const EveningSetup& start, SetupAccepted accepted,
                                       unsigned captionId) {
    auto* box = new EveningSetupBox(owner, texts, start, accepted, captionId);
    box->Open();
    return box;
}

}  // namespace DoDadu
