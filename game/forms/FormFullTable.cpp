#include "FormFullTable.h"

#include "FullTableFelt.h"
#include "OptionsMenu.h"
#include "ResourceIds.h"
#include "StandingsBox.h"
#include "TableColours.h"

#include "AccessibleElement.h"

#include <algorithm>

namespace DoDadu {

using namespace NeloUtility;

const wchar_t* const kTableWindowProperty = L"Zandro++.Table";

namespace {

FormFullTable* AsFullTable(GUIElement* element) { return dynamic_cast<FormFullTable*>(element); }

void FormCreated(GUIElement* element, HWND createdWindow) {
    if (createdWindow == nullptr) return;
    if (FormFullTable* form = AsFullTable(element)) {
        form->BuildLayout();
        form->FitOnWorkArea(kFullTableOpenWidth, kFullTableOpenHeight);
    }
}

bool FormClosing(GUIElement* element) {
    FormFullTable* form = AsFullTable(element);
    return form == nullptr || form->ConfirmClose();
}

void FormPainted(GUIElement* element) {
    if (FormFullTable* form = AsFullTable(element)) PaintFelt(*form, form->Layout());
}

int FormResized(GUIElement* element) {
    if (FormFullTable* form = AsFullTable(element)) form->OnFormResized();
    return 0;
}

void ButtonPressed(GUIElement* button) {
    if (FormFullTable* form = AsFullTable(button->parent)) form->OnButtonClick(button);
}

void StakeMoved(GUIElement* slider, int position) {
    if (FormFullTable* form = AsFullTable(slider->parent)) form->OnStakeChanged(position);
}

void PaceTick(Timer* timer) {
    if (FormFullTable* form = AsFullTable(timer->parent)) form->OnPaceTick();
}

void OnlineNews(Timer* timer) {
    if (FormFullTable* form = AsFullTable(timer->parent)) form->OnOnlineNews();
}

void OnlineRetry(Timer* timer) {
    if (FormFullTable* form = AsFullTable(timer->parent)) form->OnOnlineRetry();
}

void MenuPicked(GUIElement* item) {
    for (GUIElement* up = item; up != nullptr; up = up->parent) {
        if (FormFullTable* form = AsFullTable(up)) {
            form->OnMenuCommand(static_cast<SubMenu*>(item));
            return;
        }
    }
}

void EveningAccepted(Form& owner, const EveningSetup& setup) {
    if (auto* form = dynamic_cast<FormFullTable*>(&owner)) form->StartEvening(setup);
}

void StandingsAskNewEvening(Form& owner) {
    if (auto* form = dynamic_cast<FormFullTable*>(&owner)) form->NewEvening();
}

bool Is(const GUIElement* element, const GUIElement* known) {
    return element != nullptr && known != nullptr && element->commandId == known->commandId;
}

}  // namespace

FormFullTable::FormFullTable(HINSTANCE instanceHandle, Form* classicTable)
    : Form(instanceHandle), narrator(texts), classic(classicTable) {
    players.Set(PlayStyle::Careful, &careful);
    players.Set(PlayStyle::Bold, &bold);
    players.Set(PlayStyle::Expert, &expert);
    SetTextLanguage(StoredLanguage());
    font = table.formFont;
    Form::SetSize(kFullTableOpenWidth, kFullTableOpenHeight);
    SetTextUtf8(texts.Text(TextIds::kFullTableTitle));
    minimizeBox = true;
    maximizeBox = true;
    leastClient = SIZE{kFullTableLeastWidth, kFullTableLeastHeight};
    accessKeys = true;  // Alt+S: Show my card
    Created = FormCreated;
    Closing = FormClosing;
    Resized = FormResized;
    Painted = FormPainted;
    SetBackColor(kTableRoom);
    pictures.densityStep = IDB_DENSITY_STEP;
    pictures.densityPercents = {IDB_DENSITY_PERCENTS};
    iconId = IDI_ZANDRO;
    visible = false;
}

FormFullTable::~FormFullTable() {
    online.reset();  // its link and timers go while the window is still there
    DeleteElement(copyInvitationItem);
    DeleteElement(table.paceTimer);
    table.paceTimer = nullptr;
    Closing = nullptr;  // nobody is left to ask, and the classic table is going as well
    if (window != nullptr && created) {
        RemovePropW(window, kTableWindowProperty);
        DestroyWindow(window);
    }
    created = false;
    DeleteElement(setupBox);
    DeleteElement(standingsBox);
    font = nullptr;
    if (controlBrush != nullptr) DeleteObject(controlBrush);
}

void FormFullTable::BuildLayout() {
    const FullTableEvents events{ButtonPressed, MenuPicked, StakeMoved, PaceTick};
    table.Build(*this, texts, events);
}

// A screen too small for the table even at its least size (200 % on a 1080-line screen)
// gets the table maximised from the start; afterwards the window keeps what the player made
// of it.
void FormFullTable::ShowTable() {
    bool maximised = created && IsZoomed(window);
    if (!created) {
        Create();
        ShowIcons();
        if (window == nullptr) return;
        SetPropW(window, kTableWindowProperty, reinterpret_cast<HANDLE>(1));
        FitLayout(kFullTableWidth, kFullTableHeight);
        HideFocusMarks(true);
        maximised = !FitsOnWorkArea(kFullTableLeastWidth, kFullTableLeastHeight);
    }
    ShowWindow(window, maximised ? SW_SHOWMAXIMIZED : SW_SHOW);
    ComeToFront();
}

void FormFullTable::Open() {
    ShowTable();
    if (window == nullptr) return;
    if (evening == nullptr && !ResumeStored()) NewEvening();
    KeepFocus();
}

void FormFullTable::JoinOnline(const Invitation& table, const std::string& name) {
    WatchOnline();
    if (online != nullptr) online->Join(table, name);
    FollowOnline();
}

void FormFullTable::AskOnlineSetup(const Invitation& server, const std::string& name) {
    ShowTable();
    if (window == nullptr) return;
    createOn = server;
    creatorName = name;
    // Nothing to play until the table is made: the round's controls wait out of sight.
    table.startButton->SetEnabled(false);
    table.showCardButton->Hide();
    table.ShowGathering(true, false, std::string());
    if (setupBox != nullptr) DeferDelete(setupBox);
    SharedRandom().SeedOnceFromClock();
    setupBox = OpenEveningSetup(*this, texts, DefaultEveningSetup(texts, SharedRandom(), name),
                                EveningAccepted, TextIds::kSetupCaptionOnline);
}

bool FormFullTable::ResumeOnline() {
    const OnlineSeat seat = ReadOnlineSeat();
    if (seat.token.empty()) return false;
    WatchOnline();
    if (online != nullptr) online->Resume(seat);
    FollowOnline();
    return true;
}

// A new online evening in this window, in place of whatever it showed.
void FormFullTable::WatchOnline() {
    ShowTable();
    if (window == nullptr) return;
    online = std::make_unique<OnlineEvening>(*this, OnlineNews, OnlineRetry, [this] { FollowOnline(); });
    session = &online->Session();
    session->SetListener(&view);
    arranged = 0;
    onlineLine.clear();
    ForgetStandings();
    view.Watch(session);
    // Each screen belongs to one person: their covered card is shown to them, nothing to ask.
    table.showCardButton->Hide();
    table.newEveningItem->SetEnabled(false);
    if (copyInvitationItem == nullptr && table.tableMenu != nullptr) {
        copyInvitationItem = new SubMenu(table.tableMenu, texts.Text(TextIds::kCopyInvitation));
        copyInvitationItem->command = MenuPicked;
        copyInvitationItem->Create();
    }
}

// The stored evening, with seats read back over the default ones; false when there is
// none or it cannot be read.
bool FormFullTable::ResumeStored() {
    // The stored seats replace these, whose names are never asked of Windows.
    const EveningSetup fallback = DefaultEveningSetup(texts, SharedRandom(), FirstSeatName("", "", texts));
    auto stored =
        std::make_unique<Evening>(fallback.rules, fallback.seats, fallback.firstBank, SharedRandom());
    if (!stored->Load(store)) return false;
    if (!Evening::SeatingFault(stored->Rules(), stored->Seats(), stored->Bank(), &players).empty())
        return false;
    evening = std::move(stored);
    Begin();
    return true;
}

void FormFullTable::AskNewEvening() {
    if (online != nullptr) return;  // a server's evening is the server's to end
    if (!AskYesNo(texts.Text(TextIds::kNewEveningQuestion), texts.Text(TextIds::kNewEveningCaption))) return;
    NewEvening();
}

void FormFullTable::NewEvening() {
    if (online != nullptr) NewOnlineEvening();
    if (online != nullptr || createOn) return;
    if (setupBox != nullptr) DeferDelete(setupBox);
    SharedRandom().SeedOnceFromClock();
    setupBox =
        OpenEveningSetup(*this, texts, DefaultEveningSetup(texts, SharedRandom(), UsersFirstSeatName(texts)),
                         EveningAccepted, TextIds::kSetupCaption);
}

// A setup the engine refuses leaves the evening as it was. A setup for a table to create on
// a server goes there.
void FormFullTable::StartEvening(const EveningSetup& setup) {
    if (createOn) {
        const Invitation server = *createOn;
        createOn.reset();
        WatchOnline();
        if (online != nullptr) online->Create(server, creatorName, setup);
        FollowOnline();
        return;
    }
    if (!Evening::SeatingFault(setup.rules, setup.seats, setup.firstBank, &players).empty()) return;
    SharedRandom().SeedOnceFromClock();
    if (table.paceTimer != nullptr) table.paceTimer->Stop();
    view.Watch(nullptr);
    session = nullptr;
    local.reset();
    evening = std::make_unique<Evening>(setup.rules, setup.seats, setup.firstBank, SharedRandom());
    evening->Save(store);
    Begin();
}

void FormFullTable::Begin() {
    ForgetStandings();
    evening->SetPlayers(&players);
    evening->SetStore(&store);
    local = std::make_unique<LocalTableSession>(*evening);
    session = local.get();
    session->SetListener(&view);
    view.Watch(session);
    view.ShowMessage(texts.Text(TextIds::kFullWelcome));
    stakeFor = -1;
    table.stakeSlider->SetPosition(1);
    ShowStake();  // the slider reads the least stake before the first deal
    FollowEvening();
}

// The person at this screen to act now (a seat in its turn, or the bank in its own), or -1;
// -1 too while the table does not answer.
int FormFullTable::PersonToAct() const {
    if (session == nullptr || !session->Answering() || !session->RoundInPlay()) return -1;
    const int seat = session->ToAct();
    if (!session->PlayedHere(seat)) return -1;
    return seat;
}

// Every control as the evening now allows, and the pace of the computer seats.
void FormFullTable::FollowEvening() {
    const bool between = session != nullptr && session->Answering() && !session->RoundInPlay();
    const int person = PersonToAct();
    const bool seatTurn = person >= 0 && !session->BankTurn();
    const bool canChoose = person >= 0 && (view.Persons() == 1 || view.CoveredVisible(person));
    const bool stakeOpen = seatTurn && !session->InRound(person).stakeFixed;
    if (stakeOpen && stakeFor != person) SetStakeRange(person);
    if (!seatTurn) stakeFor = -1;
    table.startButton->SetEnabled(session != nullptr && session->MayStartRound());
    table.getCardButton->SetEnabled(canChoose);
    table.stopButton->SetEnabled(canChoose);
    table.stakeSlider->SetEnabled(stakeOpen && canChoose);
    table.stakeButton->SetEnabled(stakeOpen && canChoose);
    table.showCardButton->SetEnabled(person >= 0 && !canChoose);
    table.hintItem->SetEnabled(canChoose);
    FollowGathering();
    const bool computerToAct = session != nullptr && session->ComputerDue();
    if (computerToAct && !table.paceTimer->running) table.paceTimer->Start();
    if (!computerToAct && table.paceTimer->running) table.paceTimer->Stop();
    KeepFocus();
    if (between && session->Over() && session->RoundsPlayed() > 0 && standingsBox == nullptr) ShowStandings();
}

int FormFullTable::StakeAt(int position) const {
    const HouseRules& rules = session->Rules();
    return rules.minStake + (std::max(position, 1) - 1) * rules.stakeStep;
}

// The slider runs from the minimum stake to the most the seat's chips allow and the bank
// can cover; where the cover holds it lower, the screen reader says so.
void FormFullTable::SetStakeRange(int seat) {
    stakeFor = seat;
    const HouseRules& rules = session->Rules();
    const std::int64_t chips = session->Seats()[static_cast<std::size_t>(seat)].chips;
    const std::int64_t cover = session->CoverLeft(seat);
    const int most = rules.StakeWithin(rules.maxStake, chips, cover);
    if (cover < std::min<std::int64_t>(rules.maxStake, chips)) view.Speak(narrator.CoverText(most));
    table.stakeSlider->maximum = std::max(1, (most - rules.minStake) / std::max(rules.stakeStep, 1) + 1);
    if (table.stakeSlider->created)
        SendMessageW(table.stakeSlider->window, TBM_SETRANGE, TRUE,
                     MAKELPARAM(1, table.stakeSlider->maximum));
    table.stakeSlider->SetPosition(1);
    ShowStake();
}

void FormFullTable::ShowStake() {
    const std::string stake = narrator.Grouped(StakeAt(table.stakeSlider->ReadPosition()));
    table.stakeButton->SetTextUtf8(stake);
    SetAccessibleName(*table.stakeButton,
                      FillPlaceholders(texts.Text(TextIds::kNameStakeButton), {{"stake", stake}}));
    SetAccessibleName(*table.stakeSlider, texts.Text(TextIds::kNameStakeSlider));
    SetAccessibleValue(*table.stakeSlider, stake);
}

void FormFullTable::OnStakeChanged(int) {
    if (stakeFor >= 0) ShowStake();
}

// GET CARD or STOP of the person in turn; a seat's first choice fixes the stake on the slider.
void FormFullTable::Play(bool draw) {
    const int person = PersonToAct();
    if (person < 0) return;
    if (!session->BankTurn() && !session->InRound(person).stakeFixed)
        session->SetStake(StakeAt(table.stakeSlider->ReadPosition()));
    if (draw)
        session->GetCard();
    else
        session->Stand();
    FollowEvening();
}

void FormFullTable::OnPaceTick() {
    if (session != nullptr && session->ComputerDue()) session->ComputerStep();
    FollowEvening();
}

void FormFullTable::OnButtonClick(GUIElement* button) {
    if (!button->enabled || session == nullptr) return;
    if (Is(button, table.startButton)) {
        session->StartRound();
    } else if (Is(button, table.getCardButton) || Is(button, table.stopButton)) {
        Play(Is(button, table.getCardButton));
        return;
    } else if (Is(button, table.showCardButton)) {
        view.Reveal(PersonToAct());
    } else if (Is(button, table.giveSeatButton)) {
        GiveSeat();
    } else if (Is(button, table.copyInvitationButton)) {
        CopyInvitation();
    }
    FollowEvening();
}

void FormFullTable::OnMenuCommand(SubMenu* item) {
    if (Is(item, table.newEveningItem)) AskNewEvening();
    if (Is(item, table.hintItem)) AskHint();
    if (Is(item, copyInvitationItem)) CopyInvitation();
}

// The exact hint of the person in turn, as a seat or as the bank, at the stake on the slider.
void FormFullTable::AskHint() {
    const int person = PersonToAct();
    if (person < 0 || !table.hintItem->enabled) return;
    std::optional<SeatHint> hint;
    if (session->BankTurn()) {
        if (const auto choice = expert.BankOptions(session->SightOfBank())) {
            hint = SeatHint{choice->Draws() ? Odds::Action::Draw : Odds::Action::Stop, choice->stand,
                            choice->draw, choice->canDraw};
        }
    } else {
        SeatSight sight = session->SightOf(person);
        if (!session->InRound(person).stakeFixed)
            sight.seats[static_cast<std::size_t>(person)].stake = StakeAt(table.stakeSlider->ReadPosition());
        hint = expert.Advise(sight);
    }
    if (hint) view.ShowMessage(narrator.HintText(*hint), true);
}

// At a table held by a server only its creator can set a new one.
void FormFullTable::ShowStandings() {
    ForgetStandings();
    const bool offerNew = online == nullptr || online->Table().Creator();
    standingsBox = OpenStandings(*this, texts, session->Seats(), offerNew ? StandingsAskNewEvening : nullptr);
}

// The standings of an evening that is over go with it, so that the next one shows its own.
void FormFullTable::ForgetStandings() {
    if (standingsBox != nullptr) DeferDelete(standingsBox);
    standingsBox = nullptr;
}

// The creator's next evening online: a new table on the same server with the same rules and
// seats (persons to invite again, the computer players as they were), shown at its lobby
// with its own invitation.
void FormFullTable::NewOnlineEvening() {
    if (online == nullptr || !online->Table().Creator() || !online->Table().Over()) return;
    EveningSetup setup;
    setup.rules = session->Rules();
    for (TableSeat seat : session->Seats()) {
        seat.chips = online->Table().StartingChips();
        setup.seats.push_back(seat);
    }
    createOn = online->Server();
    creatorName = online->Name();
    StartEvening(setup);
}

// Closing keeps the evening: the window hides and the classic table comes back.
bool FormFullTable::ConfirmClose() {
    ShowClassicTable();
    return false;
}

void FormFullTable::ShowClassicTable() {
    if (table.paceTimer != nullptr) table.paceTimer->Stop();
    ShowWindow(window, SW_HIDE);
    if (classic != nullptr && classic->window != nullptr) {
        ShowWindow(classic->window, SW_SHOW);
        classic->ComeToFront();
    }
}

void FormFullTable::OnFormResized() {
    if (window != nullptr && !IsIconic(window)) FitLayout(kFullTableWidth, kFullTableHeight);
}

// The classic table's colours for its controls.
HBRUSH FormFullTable::OnControlColor(HDC deviceContext) {
    return TableControlColours(deviceContext, table.startButton, controlBrush);
}

bool FormFullTable::OnCopyData(ULONG_PTR tag, const void* bytes, DWORD size) {
    return classic != nullptr && classic->OnCopyData(tag, bytes, size);
}

GUIElement* FormFullTable::DefaultFocus() {
    for (GUIElement* next : std::initializer_list<GUIElement*>{
             table.startButton, table.freeSeatChoice, table.copyInvitationButton, table.showCardButton,
             table.getCardButton, table.stopButton})
        if (next != nullptr && next->enabled && next->visible) return next;
    return nullptr;
}

}  // namespace DoDadu
