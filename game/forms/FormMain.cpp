#include "FormMain.h"

#include "EveningSetup.h"
#include "FormAbout.h"
#include "FormFullTable.h"
#include "OnlineJoinBox.h"
#include "OnlineSeatStore.h"
#include "WebSocketLink.h"
#include "FormStatistics.h"
#include "NumberText.h"
#include "ResourceIds.h"
#include "Shell.h"
#include "StatisticsBox.h"
#include "TableColours.h"

namespace DoDadu {

using namespace NeloUtility;

FormMain* mainForm = nullptr;

namespace {

// The form's own events. Each finds the FormMain and forwards to one of its operations.

FormMain* AsMainForm(GUIElement* element) { return dynamic_cast<FormMain*>(element); }

void FormCreated(GUIElement* element, HWND createdWindow) {
    // A window that could not be made has no table to build on.
    if (createdWindow == nullptr) return;
    if (FormMain* form = AsMainForm(element)) {
        form->BuildLayout();
        // The window shows only once its creation is over: sized now, with its menu bar,
        // the table is painted once, at its final size, instead of once more after it grows.
        // A screen too small for it at its scale gets the whole table smaller.
        form->ShowWhole(kTableWidth, kTableHeight);
    }
}

bool FormClosing(GUIElement* element) {
    FormMain* form = AsMainForm(element);
    return form == nullptr || form->ConfirmClose();
}

int FormResized(GUIElement* element) {
    if (FormMain* form = AsMainForm(element)) form->OnFormResized();
    return 0;
}

// A text box asks its form whether it takes the character; anything else asks itself.
bool CharTyped(GUIElement* element, int character) {
    if (auto* textBox = dynamic_cast<TextBox*>(element)) {
        FormMain* form = AsMainForm(textBox->parent);
        return form == nullptr || form->OnTextBoxChar(textBox, character);
    }
    FormMain* form = AsMainForm(element);
    return form == nullptr || form->OnFormChar(character);
}

int KeyPressed(GUIElement* element, int key) {
    if (FormMain* form = AsMainForm(element)) form->OnFormKeyDown(key);
    return 0;
}

int KeyReleased(GUIElement* element, int key) {
    if (FormMain* form = AsMainForm(element)) form->OnFormKeyUp(key);
    return 0;
}

int LeftButtonReleased(GUIElement* element, HWND, int x, int y) {
    if (auto* textBox = dynamic_cast<TextBox*>(element)) {
        if (FormMain* form = AsMainForm(textBox->parent)) form->OnTextBoxFocus(textBox);
    } else if (FormMain* form = AsMainForm(element)) {
        form->OnFormLeftButtonUp(x, y);
    }
    return 0;
}

int LeftButtonPressed(GUIElement* element, HWND, int x, int y) {
    if (dynamic_cast<Child*>(element) != nullptr) {
        if (FormMain* form = AsMainForm(element->parent)) form->OnChildLeftButtonDown(element);
    } else if (FormMain* form = AsMainForm(element)) {
        form->OnFormLeftButtonDown(x, y);
    }
    return 0;
}

// The children's events.

void ButtonPressed(GUIElement* button) {
    FormMain* form = AsMainForm(button->parent);
    if (form == nullptr && button->parent != nullptr) form = AsMainForm(button->parent->parent);
    if (form != nullptr) form->OnButtonClick(button);
}

void StakeMoved(GUIElement* slider, int position) {
    if (FormMain* form = AsMainForm(slider->parent)) form->OnStakeChanged(slider, position);
}

void DealTick(Timer* timer) {
    if (FormMain* form = AsMainForm(timer->parent)) form->OnDealerTick();
}

// A menu item walks up to the form that owns its bar, or else uses the main form.
void MenuPicked(GUIElement* item) {
    for (GUIElement* up = item; up != nullptr; up = up->parent) {
        if (FormMain* form = AsMainForm(up)) {
            form->OnMenuCommand(static_cast<SubMenu*>(item));
            return;
        }
    }
    if (mainForm != nullptr) mainForm->OnMenuCommand(static_cast<SubMenu*>(item));
}

}  // namespace

FormMain::FormMain(HINSTANCE instanceHandle, const std::string& title)
    : Form(instanceHandle), round(view, localTime, store, texts) {
    Construct(title);
}

FormMain::FormMain(HINSTANCE instanceHandle, const std::string& title, DealerClock& dealerClock)
    : Form(instanceHandle), round(view, dealerClock, store, texts) {
    Construct(title);
}

void FormMain::Construct(const std::string& title) {
    SetTextLanguage(StoredLanguage());
    round.LoadScore();
    font = table.formFont;
    Form::SetSize(kTableWidth, kTableHeight);
    SetTextNarrow(title);
    minimizeBox = true;
    maximizeBox = false;
    SetFormEvents();
    SetBackColor(kTableGreen);
    pictures.densityStep = IDB_DENSITY_STEP;
    pictures.densityPercents = {IDB_DENSITY_PERCENTS};
    Create();
    SetWindowIcon();
    if (window != nullptr)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(table.formFont->GetFontHandle()), TRUE);
    if (fittedLayout.cx == 0) SetClientSize(kTableWidth, kTableHeight);
    if (mainForm == nullptr) mainForm = this;
}

FormMain::~FormMain() {
    // The timer goes first, so that no tick arrives while the table is taken apart.
    DeleteElement(table.dealTimer);
    table.dealTimer = nullptr;
    // Normally the window is gone by now. When it is not, it closes without asking:
    // there is nobody left to answer.
    Closing = nullptr;
    if (window != nullptr && created) SendMessageW(window, WM_CLOSE, 0, 0);
    created = false;

    DeleteElement(aboutForm);
    DeleteElement(statisticsForm);
    DeleteElement(fullTable);
    DeleteElement(onlineTable);
    DeleteElement(onlineBox);
    font = nullptr;  // the layout's, deleted with the table's elements
    if (controlBrush != nullptr) DeleteObject(controlBrush);
    if (mainForm == this) mainForm = nullptr;
}

void FormMain::SetFormEvents() {
    Created = FormCreated;
    Closing = FormClosing;
    Resized = FormResized;
    CharTyped = DoDadu::CharTyped;
    KeyDown = KeyPressed;
    KeyUp = KeyReleased;
    LeftButtonUp = LeftButtonReleased;
    LeftButtonDown = LeftButtonPressed;
}

// The game's icon at both sizes the system shows (see Form::ShowIcons).
void FormMain::SetWindowIcon() {
    iconId = IDI_ZANDRO;
    ShowIcons();
}

// The whole table, element by element; then the score and a table ready for START.
void FormMain::BuildLayout() {
    const TableEvents events{ButtonPressed, MenuPicked, StakeMoved, DealTick};
    table.Build(*this, texts, events, PlainNumberText(round.cards.remainingCards));
    round.ShowAndSaveScore();
    round.ResetTable();
    narrator.DescribeTable();
    if (window != nullptr) SetPropW(window, kTableWindowProperty, reinterpret_cast<HANDLE>(1));
    HideFocusMarks(true);  // until a key is used; START holds the focus for a player who starts with one
}

// The dealer's turn begins at STOP and lasts until its outcome; the timer follows it.
void FormMain::FollowDealerTurn() {
    if (table.dealTimer == nullptr) return;
    if (round.RoundActive() && round.PlayerTurn() == 0)
        table.dealTimer->Start();
    else
        table.dealTimer->Stop();
}

// The table's font, and the colours both tables give their controls.
HBRUSH FormMain::OnControlColor(HDC deviceContext) {
    if (font != nullptr) SelectObject(deviceContext, font->GetFontHandle());
    return TableControlColours(deviceContext, table.startButton, controlBrush);
}

// Asked on every close request. No leaves the game as it was; Yes charges a running
// round and stops the dealer.
bool FormMain::ConfirmClose() {
    if (!AskYesNo(texts.Text(TextIds::kExitQuestion), texts.Text(TextIds::kExitCaption),
                  {texts.Text(TextIds::kAnswerYes), texts.Text(TextIds::kAnswerNo)}))
        return false;
    LeaveTable();
    return true;
}

void FormMain::LeaveTable() {
    round.AbandonRound();
    if (table.dealTimer != nullptr && table.dealTimer->running) table.dealTimer->Stop();
}

void FormMain::OnSessionEnd() { LeaveTable(); }

void FormMain::OnThemeChanged() {
    if (table.optionsMenu != nullptr) table.optionsMenu->ShowTexts();
}

// What a player presses next: START between rounds, GET CARD (or STOP once no card can be
// drawn) in the player's turn. While the dealer plays there is nothing to press, and the
// table itself holds the focus.
GUIElement* FormMain::DefaultFocus() {
    switch (round.Phase()) {
        case RoundPhase::Idle: return table.startButton;
        case RoundPhase::PlayerTurn:
            return table.getCardButton != nullptr && table.getCardButton->enabled ? table.getCardButton
                                                                                  : table.stopButton;
        default: return nullptr;
    }
}

void FormMain::OnFormResized() {}

void FormMain::OnDealerTick() {
    round.OnDealerTick();
    FollowDealerTurn();
    FollowRoundForMenu();
}

// The full table opens only between rounds.
void FormMain::FollowRoundForMenu() {
    const bool idle = round.Phase() == RoundPhase::Idle;
    for (NeloUtility::SubMenu* item : {table.fullTableItem, table.onlineItem})
        if (item != nullptr && item->enabled != idle) item->SetEnabled(idle);
}

// The classic table hides while the full table is open; the full table shows it again.
void FormMain::OpenFullTable() {
    if (round.Phase() != RoundPhase::Idle) return;
    if (fullTable == nullptr) fullTable = new FormFullTable(instance, this);
    ShowWindow(window, SW_HIDE);
    fullTable->Open();
}

namespace {
void OnlineJoinAccepted(Form& owner, const Invitation& table, const std::string& name) {
    if (auto* form = dynamic_cast<FormMain*>(&owner)) form->JoinOnline(table, name);
}

void OnlineCreateAccepted(Form& owner, const Invitation& server, const std::string& name) {
    if (auto* form = dynamic_cast<FormMain*>(&owner)) form->CreateOnline(server, name);
}

void OnlineSeatRefused(Form& classic, const OnlineJoinFields& asked) {
    if (auto* form = dynamic_cast<FormMain*>(&classic)) form->OpenPlayOnline(asked);
}
}  // namespace

// The box comes over the classic table; a seat stored from an earlier run is taken back at
// once instead, unless an invitation was given.
void FormMain::OpenPlayOnline(const std::string& invitation) {
    if (round.Phase() != RoundPhase::Idle) return;
    if (!WebSocketLink::Available()) {  // Windows 7: the game plays on, offline
        MessageBoxW(window, Widen(texts.Text(TextIds::kOnlineNeedsWindows8)).c_str(), L"Zandro++",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (onlineTable != nullptr && onlineTable->window != nullptr && IsWindowVisible(onlineTable->window) &&
        invitation.empty()) {
        onlineTable->ComeToFront();
        return;
    }
    const OnlineSeat stored = ReadOnlineSeat();
    if (invitation.empty() && !stored.token.empty()) {
        MakeOnlineTable();
        ShowWindow(window, SW_HIDE);
        onlineTable->ResumeOnline();
        return;
    }
    // The name last played online, else the one a new evening gives the first seat.
    const std::string name = stored.name.empty() ? UsersFirstSeatName(texts) : stored.name;
    OpenPlayOnline(OnlineJoinFields{invitation, stored.server, name, "", false});
}

void FormMain::OpenPlayOnline(const OnlineJoinFields& fields) {
    if (onlineBox != nullptr) DeferDelete(onlineBox);
    onlineBox = OpenOnlineJoin(*this, texts, fields, OnlineJoinAccepted, OnlineCreateAccepted);
}

void FormMain::MakeOnlineTable() {
    if (onlineTable != nullptr) return;
    onlineTable = new FormFullTable(instance, this);
    onlineTable->seatRefused = OnlineSeatRefused;
}

// Any program may send this message: only a whole, well-formed invitation is taken.
bool FormMain::OnCopyData(ULONG_PTR tag, const void* bytes, DWORD size) {
    if (tag != kInvitationCopyTag || bytes == nullptr || size == 0 || size > kLongestInvitation) return false;
    const std::string invitation(static_cast<const char*>(bytes), size);
    if (!ParseInvitation(invitation)) return false;
    OpenPlayOnline(invitation);
    return true;
}

namespace {
// The server and the name for the next time the box opens, as the Server field takes them:
// HOST:PORT, and the certificate's fingerprint of a server known by it.
void RememberOnline(const Invitation& at, const std::string& name) {
    OnlineSeat remembered = ReadOnlineSeat();
    Invitation server = at;
    server.code = "000000";
    server.fingerprint.clear();
    const std::string text = InvitationText(server);
    const std::size_t authority = text.find("//") + 2;
    remembered.server = text.substr(authority, text.rfind('/') - authority);
    if (!at.fingerprint.empty()) remembered.server += "#sha256=" + at.fingerprint;
    remembered.name = name;
    WriteOnlineSeat(remembered);
}
}  // namespace

void FormMain::JoinOnline(const Invitation& at, const std::string& name) {
    RememberOnline(at, name);
    MakeOnlineTable();
    ShowWindow(window, SW_HIDE);
    onlineTable->JoinOnline(at, name);
}

void FormMain::CreateOnline(const Invitation& server, const std::string& name) {
    RememberOnline(server, name);
    MakeOnlineTable();
    ShowWindow(window, SW_HIDE);
    onlineTable->AskOnlineSetup(server, name);
}

bool FormMain::OnFormChar(int) { return true; }

bool FormMain::OnTextBoxChar(TextBox*, int character) { return character != '\t' && character != '\r'; }

void FormMain::OnFormKeyDown(int) {}

void FormMain::OnFormKeyUp(int) {}

void FormMain::OnMenuCommand(SubMenu* item) {
    if (item == nullptr) return;
    // The player may answer No, and the table stays.
    if (table.exitItem != nullptr && item->commandId == table.exitItem->commandId) Close();
    if (table.fullTableItem != nullptr && item->commandId == table.fullTableItem->commandId) OpenFullTable();
    if (table.onlineItem != nullptr && item->commandId == table.onlineItem->commandId) OpenPlayOnline();
    if (table.homeItem != nullptr && item->commandId == table.homeItem->commandId) OpenWithShell(kHomePage);
    if (table.guideItem != nullptr && item->commandId == table.guideItem->commandId)
        OpenWithShell(GuidePage());
    if (table.optionsMenu == nullptr) return;
    switch (table.optionsMenu->Choose(item)) {
        case OptionsMenu::Choice::Hint: AskHint(); break;
        case OptionsMenu::Choice::Statistics: ShowStatistics(); break;
        case OptionsMenu::Choice::Language: ShowTexts(); break;
        case OptionsMenu::Choice::Sound:
        case OptionsMenu::Choice::Contrast:  // the toolkit has repainted every window
        case OptionsMenu::Choice::None: break;
    }
}

void FormMain::CloseOnEscape(GUIElement*, int key) {
    if (key == VK_ESCAPE) {
        SendMessageW(window, WM_CLOSE, 0, 0);
        created = false;
    }
}

void FormMain::OnFormLeftButtonUp(int, int) {}

void FormMain::OnFormLeftButtonDown(int, int) {}

void FormMain::OnChildLeftButtonDown(GUIElement*) {}

void FormMain::OnChildEvent(GUIElement*) {}

void FormMain::OnTextBoxFocus(TextBox* textBox) {
    if (textBox->created) SendMessageW(textBox->window, EM_SETSEL, 0, -1);
}

void FormMain::OnButtonClick(GUIElement* button) {
    // A player cannot press a disabled button; a click that another program posts to
    // one (STOP while idle, say) would otherwise throw the round out of step.
    if (!button->enabled) return;
    const int id = button->commandId;
    if (table.exitButton != nullptr && id == table.exitButton->commandId)
        OnMenuCommand(table.exitItem);
    else if (table.startButton != nullptr && id == table.startButton->commandId)
        round.OnStartClicked();
    else if (table.infoButton != nullptr && id == table.infoButton->commandId)
        ShowAbout();
    else if (table.stopButton != nullptr && id == table.stopButton->commandId) {
        round.OnStopClicked();
        FollowDealerTurn();
    } else if (table.getCardButton != nullptr && id == table.getCardButton->commandId)
        round.OnGetCardClicked();
    FollowRoundForMenu();
}

void FormMain::OnStakeChanged(GUIElement*, int position) { round.OnStakeChanged(position); }

void FormMain::ShowTexts() {
    table.ShowTexts(texts);
    round.ShowTexts();
    narrator.DescribeTable();
}

// A fresh about box for every press; the one it replaces may still be on screen, so it
// is deleted only when the message loop ends.
void FormMain::ShowAbout() {
    if (aboutForm != nullptr) DeferDelete(aboutForm);
    aboutForm = OpenAbout(*this, texts);
}

// Like the about box, a fresh statistics box for every choice of the menu.
void FormMain::ShowStatistics() {
    if (statisticsForm != nullptr) DeferDelete(statisticsForm);
    statisticsForm = OpenStatistics(*this, round, texts);
}

// The hint is worked out from what the player has seen, at the stake on the slider now.
void FormMain::AskHint() {
    if (round.Phase() != RoundPhase::PlayerTurn) return;
    const std::optional<Hint> hint = hintAdvisor.Advise(round.Sight(), round.CurrentStake());
    if (!hint) return;
    GroupedNumberFormatter grouped(texts);
    round.ShowHint(HintSentence(*hint, texts, grouped));
}

}  // namespace DoDadu
