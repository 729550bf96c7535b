#include "FormMain.h"

#include "FormAbout.h"
#include "FormStatistics.h"
#include "ResourceIds.h"
#include "ScreenReaderNotice.h"
#include "Shell.h"
#include "Sound.h"
#include "StatisticsBox.h"
#include "UserLocale.h"

#include <algorithm>
#include <utility>

namespace DoDadu {

using namespace NeloUtility;

FormMain* mainForm = nullptr;

namespace {

const COLORREF kTableGreen = RGB(0, 128, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kControlGrey = RGB(220, 220, 220);
const COLORREF kRed = RGB(255, 0, 0);

// The table's client area; the layout's positions are worked out from it.
const int kTableWidth = 640;
const int kTableHeight = 480;

const int kTextLeft = 0;  // CellControl's left alignment; cells are centred by default

const int kCardWidth = 63;
const int kCardHeight = 101;
const int kButtonWidth = 100;
const int kButtonHeight = 40;

const int kIconId = 1005;
const int kLogoPicture = 1007;

// The form's own events. Each finds the FormMain and forwards to one of its operations.

FormMain* AsMainForm(GUIElement* element) { return dynamic_cast<FormMain*>(element); }

void FormCreated(GUIElement* element, HWND createdWindow) {
    // A window that could not be made has no table to build on.
    if (createdWindow == nullptr) return;
    if (FormMain* form = AsMainForm(element)) {
        form->BuildLayout();
        // The window shows only once its creation is over: sized now, with its menu bar,
        // the table is painted once, at its final size, instead of once more after it grows.
        form->FitWindowToClient(kTableWidth, kTableHeight);
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
    : Form(instanceHandle), round(*this, localTime, store, UserNumberLocale(), texts) {
    Construct(title);
}

FormMain::FormMain(HINSTANCE instanceHandle, const std::string& title, DealerClock& dealerClock)
    : Form(instanceHandle), round(*this, dealerClock, store, UserNumberLocale(), texts) {
    Construct(title);
}

void FormMain::Construct(const std::string& title) {
    SetTextLanguage(StoredLanguage());
    round.LoadScore();
    formFont = new FontSpec("Lucida Console", 14);
    largeFont = new FontSpec("Arial", 22);
    largeFont->bold = true;
    hintFont = new FontSpec("Arial", 14);
    hintFont->bold = true;
    font = formFont;
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
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(formFont->GetFontHandle()), TRUE);
    SetClientSize(kTableWidth, kTableHeight);
    if (mainForm == nullptr) mainForm = this;
}

FormMain::~FormMain() {
    // The timer goes first, so that no tick arrives while the table is taken apart.
    DeleteElement(dealTimer);
    dealTimer = nullptr;
    // Normally the window is gone by now. When it is not, it closes without asking:
    // there is nobody left to answer.
    Closing = nullptr;
    if (window != nullptr && created) SendMessageW(window, WM_CLOSE, 0, 0);
    created = false;

    DeleteElement(aboutForm);
    DeleteElement(statisticsForm);
    DeleteElement(menuBar);
    DeleteElement(fileMenu);
    DeleteElement(exitItem);
    DeleteElement(helpMenu);
    DeleteElement(homeItem);
    DeleteElement(guideItem);
    DeleteElement(optionsMenu);
    font = nullptr;
    DeleteElement(formFont);
    DeleteElement(exitButton);
    DeleteElement(infoButton);
    DeleteElement(startButton);
    DeleteElement(logoImage);
    if (controlBrush != nullptr) DeleteObject(controlBrush);
    DeleteElement(largeFont);
    DeleteElement(hintFont);
    for (Image* place : dealerCardImages) DeleteElement(place);
    for (Image* place : playerCardImages) DeleteElement(place);
    for (CellControl* cell : {messageCell, scoreCaptionCell, scoreCell, playerCaptionCell, playerPointsCell,
                              dealerCaptionCell, dealerPointsCell, remainingCaptionCell, remainingCell})
        DeleteElement(cell);
    DeleteElement(stopButton);
    DeleteElement(stakeButton);
    DeleteElement(getCardButton);
    DeleteElement(stakeSlider);
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
    iconId = kIconId;
    ShowIcons();
}

// The whole table, element by element, each made before the next; the order is also
// the tab order and the order of the control identifiers.
void FormMain::BuildLayout() {
    BuildMenuBar();
    if (created) {
        const SIZE client = ClientSize();
        width = client.cx;
        height = client.cy;
    }
    logoImage = new Image(this, kLogoPicture);
    logoImage->SetSize(200, 60);
    logoImage->MoveTo(9, 10);
    logoImage->Create();
    BuildCardPlaces();
    BuildHandCells();
    infoButton = MakeButton(texts.Text(TextIds::kButtonInfo), width - 105, 20, false, true);
    exitButton = MakeButton(texts.Text(TextIds::kButtonExit), width - 105, 70, false, true);
    BuildSideCells();
    BuildScoreCells();
    BuildPlayButtons();
    BuildStakeSlider();
    round.ShowAndSaveScore();
    round.ResetTable();
    MakeDealTimer();
    narrator.DescribeTable();
    HideFocusMarks(true);  // until a key is used; START holds the focus for a player who starts with one
}

void FormMain::BuildMenuBar() {
    menuBar = new MenuBar(this);
    fileMenu = new Menu(menuBar, texts.Text(TextIds::kMenuFile));
    exitItem = new SubMenu(fileMenu, texts.Text(TextIds::kMenuExit));
    exitItem->command = MenuPicked;
    helpMenu = new Menu(menuBar, texts.Text(TextIds::kMenuHelp));
    guideItem = new SubMenu(helpMenu, texts.Text(TextIds::kMenuGuide));
    guideItem->command = MenuPicked;
    homeItem = new SubMenu(helpMenu, texts.Text(TextIds::kMenuHome));
    homeItem->command = MenuPicked;
    // Options stands between File and ?, its items numbered after those of the older menus.
    optionsMenu = new OptionsMenu(menuBar, MenuPicked, texts);
    auto& menus = menuBar->children;
    menus.erase(std::remove(menus.begin(), menus.end(), helpMenu), menus.end());
    menus.push_back(helpMenu);
    menuBar->Create();
}

// Each place's window is made where the table's reset puts it, so that the reset finds
// nothing to move while the table is built.
void FormMain::BuildCardPlaces() {
    for (CardRow row : {CardRow::Dealer, CardRow::Player}) {
        auto& places = row == CardRow::Dealer ? dealerCardImages : playerCardImages;
        for (int i = 0; i < kCardPlaces; ++i) {
            places[i] = new Image(this, kCardBackPicture);
            places[i]->SetSize(kCardWidth, kCardHeight);
            places[i]->MoveTo(CardPlaceX(i), CardPlaceY(row));
            places[i]->Create();
        }
    }
}

CellControl* FormMain::MakeCell(int x, int y, int cellWidth, int cellHeight, FontSpec* cellFont,
                                COLORREF color, const std::string& cellText) {
    auto* cell = new CellControl(this);
    cell->SetSize(cellWidth, cellHeight);
    cell->MoveTo(x, y);
    cell->SetBackColor(backColor);
    cell->textColor = color;
    cell->font = cellFont;
    cell->SetTextUtf8(cellText);
    return cell;
}

void FormMain::BuildHandCells() {
    // The captions and points of the two hands: made centred, then set to the left.
    struct HandCell {
        CellControl** field;
        int x;
        int y;
        int cellWidth;
        std::string text;
    };
    const HandCell handCells[] = {
        {&dealerCaptionCell, 10, 78, 120, texts.Text(TextIds::kCaptionDealer)},
        {&dealerPointsCell, 140, 78, 50, "0"},
        {&playerCaptionCell, 10, 238, 120, texts.Text(TextIds::kCaptionPlayer)},
        {&playerPointsCell, 140, 238, 50, "0"},
    };
    for (const HandCell& c : handCells) {
        *c.field = MakeCell(c.x, c.y, c.cellWidth, 28, largeFont, kYellow, c.text);
        (*c.field)->textAlign = kTextLeft;
        (*c.field)->Create();
    }
}

void FormMain::BuildSideCells() {
    const int W = width;
    remainingCaptionCell =
        MakeCell(W - 105, 200, 100, 55, formFont, kWhite, texts.Text(TextIds::kCaptionRemaining));
    remainingCaptionCell->Create();
    remainingCell =
        MakeCell(W - 105, 256, 100, 55, largeFont, kYellow, PlainNumberText(round.cards.remainingCards));
    remainingCell->Create();
    messageCell = MakeCell(60, 385, W - 120, 35, largeFont, kWhite, "");
    messageCell->linesCentred = true;  // a hint's two lines
    messageCell->Create();
}

void FormMain::BuildScoreCells() {
    const int left = (width - 430) / 2;
    scoreCaptionCell = new CellControl(this);
    scoreCaptionCell->SetSize(90, 22);
    scoreCaptionCell->MoveTo(left + 220, 25);
    scoreCaptionCell->SetBackColor(backColor);
    scoreCaptionCell->textColor = kWhite;
    scoreCaptionCell->font = formFont;
    scoreCaptionCell->textAlign = kTextLeft;
    scoreCaptionCell->SetTextUtf8(texts.Text(TextIds::kCaptionScore));
    scoreCaptionCell->Create();

    // The score stands out: black on the system's button face, inside a border.
    scoreCell = new CellControl(this);
    scoreCell->SetSize(80, 22);
    scoreCell->MoveTo(left + 310, 25);
    scoreCell->textColor = kBlack;
    scoreCell->font = formFont;
    scoreCell->SetTextNarrow("0");
    scoreCell->border = true;
    scoreCell->Create();
}

Button* FormMain::MakeButton(const std::string& caption, int x, int y, bool bottomRow, bool startEnabled) {
    auto* button = new Button(this, std::string());
    button->SetTextUtf8(caption);
    button->SetSize(kButtonWidth, kButtonHeight);
    button->MoveTo(x, y);
    button->command = ButtonPressed;
    if (bottomRow) button->SetHandCursor(true);
    button->ownerDrawn = true;
    if (!startEnabled) button->SetEnabled(false);
    button->Create();
    return button;
}

void FormMain::BuildPlayButtons() {
    const int left = (width - 540) / 2;
    const int y = height - 45;
    startButton = MakeButton(texts.Text(TextIds::kButtonStart), left, y, true, true);
    stopButton = MakeButton(texts.Text(TextIds::kButtonStop), left + 110, y, true, false);
    getCardButton = MakeButton(texts.Text(TextIds::kButtonGetCard), left + 220, y, true, false);
    stakeButton = MakeButton(texts.Text(TextIds::kButtonStake), left + 330, y, true, false);
}

void FormMain::BuildStakeSlider() {
    stakeSlider = new Slider(this);
    stakeSlider->SetSize(kButtonWidth, kButtonHeight);
    stakeSlider->MoveTo((width - 540) / 2 + 440, height - 45);
    stakeSlider->showLabels = false;
    stakeSlider->ValueChanged = StakeMoved;
    stakeSlider->Create();
}

// The timer is made with the table but runs only while the dealer plays: an idle table
// wakes nobody up.
void FormMain::MakeDealTimer() {
    dealTimer = new Timer(this, 30);
    dealTimer->Tick = DealTick;
    dealTimer->Create();
}

// The dealer's turn begins at STOP and lasts until its outcome; the timer follows it.
void FormMain::FollowDealerTurn() {
    if (dealTimer == nullptr) return;
    if (round.RoundActive() && round.PlayerTurn() == 0)
        dealTimer->Start();
    else
        dealTimer->Stop();
}

// START is red with white text while it can be pressed; every other control is grey
// with black text. At most one brush made here is alive at a time.
HBRUSH FormMain::OnControlColor(HDC deviceContext) {
    if (controlBrush != nullptr) {
        DeleteObject(controlBrush);
        controlBrush = nullptr;
    }
    if (font != nullptr) SelectObject(deviceContext, font->GetFontHandle());
    HWND control = WindowFromDC(deviceContext);
    COLORREF back = kControlGrey;
    COLORREF fore = kBlack;
    if (startButton != nullptr && control == startButton->window) {
        if (!startButton->enabled) return nullptr;
        back = kRed;
        fore = kWhite;
    }
    SetBkColor(deviceContext, back);
    controlBrush = CreateSolidBrush(back);
    SetTextColor(deviceContext, fore);
    return controlBrush;
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
    if (dealTimer != nullptr && dealTimer->running) dealTimer->Stop();
}

void FormMain::OnSessionEnd() { LeaveTable(); }

// What a player presses next: START between rounds, GET CARD (or STOP once no card can be
// drawn) in the player's turn. While the dealer plays there is nothing to press, and the
// table itself holds the focus.
GUIElement* FormMain::DefaultFocus() {
    switch (round.Phase()) {
        case RoundPhase::Idle: return startButton;
        case RoundPhase::PlayerTurn:
            return getCardButton != nullptr && getCardButton->enabled ? getCardButton : stopButton;
        default: return nullptr;
    }
}

void FormMain::OnFormResized() {}

void FormMain::OnDealerTick() {
    round.OnDealerTick();
    FollowDealerTurn();
}

bool FormMain::OnFormChar(int) { return true; }

bool FormMain::OnTextBoxChar(TextBox*, int character) { return character != '\t' && character != '\r'; }

void FormMain::OnFormKeyDown(int) {}

void FormMain::OnFormKeyUp(int) {}

void FormMain::OnMenuCommand(SubMenu* item) {
    if (item == nullptr) return;
    // The player may answer No, and the table stays.
    if (exitItem != nullptr && item->commandId == exitItem->commandId) Close();
    if (homeItem != nullptr && item->commandId == homeItem->commandId) OpenWithShell(kHomePage);
    if (guideItem != nullptr && item->commandId == guideItem->commandId) OpenWithShell(GuidePage());
    if (optionsMenu == nullptr) return;
    switch (optionsMenu->Choose(item)) {
        case OptionsMenu::Choice::Hint: AskHint(); break;
        case OptionsMenu::Choice::Statistics: ShowStatistics(); break;
        case OptionsMenu::Choice::Language: ShowTexts(); break;
        case OptionsMenu::Choice::Sound:
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
    if (exitButton != nullptr && id == exitButton->commandId)
        OnMenuCommand(exitItem);
    else if (startButton != nullptr && id == startButton->commandId)
        round.OnStartClicked();
    else if (infoButton != nullptr && id == infoButton->commandId)
        ShowAbout();
    else if (stopButton != nullptr && id == stopButton->commandId) {
        round.OnStopClicked();
        FollowDealerTurn();
    } else if (getCardButton != nullptr && id == getCardButton->commandId)
        round.OnGetCardClicked();
}

void FormMain::OnStakeChanged(GUIElement*, int position) { round.OnStakeChanged(position); }

void FormMain::ShowTexts() {
    const std::pair<Menu*, unsigned> menus[] = {{fileMenu, TextIds::kMenuFile},
                                                {helpMenu, TextIds::kMenuHelp}};
    for (const auto& menu : menus)
        if (menu.first != nullptr) menu.first->SetCaption(texts.Text(menu.second));
    const std::pair<SubMenu*, unsigned> items[] = {
        {exitItem, TextIds::kMenuExit}, {guideItem, TextIds::kMenuGuide}, {homeItem, TextIds::kMenuHome}};
    for (const auto& item : items)
        if (item.first != nullptr) item.first->SetCaption(texts.Text(item.second));
    if (optionsMenu != nullptr) optionsMenu->ShowTexts();
    const std::pair<GUIElement*, unsigned> labels[] = {
        {infoButton, TextIds::kButtonInfo},           {exitButton, TextIds::kButtonExit},
        {stopButton, TextIds::kButtonStop},           {getCardButton, TextIds::kButtonGetCard},
        {dealerCaptionCell, TextIds::kCaptionDealer}, {playerCaptionCell, TextIds::kCaptionPlayer},
        {scoreCaptionCell, TextIds::kCaptionScore},   {remainingCaptionCell, TextIds::kCaptionRemaining}};
    for (const auto& label : labels)
        if (label.first != nullptr) label.first->SetTextUtf8(texts.Text(label.second));
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
    GroupedNumberFormatter grouped(UserNumberLocale());
    round.ShowHint(HintSentence(*hint, texts, grouped));
}

// The round's view, on the real elements.

CellControl* FormMain::Cell(TableCell cell) const {
    switch (cell) {
        case TableCell::Message: return messageCell;
        case TableCell::DealerPoints: return dealerPointsCell;
        case TableCell::PlayerPoints: return playerPointsCell;
        case TableCell::Remaining: return remainingCell;
        case TableCell::Score: return scoreCell;
    }
    return nullptr;
}

GUIElement* FormMain::Control(TableControl control) const {
    switch (control) {
        case TableControl::StartButton: return startButton;
        case TableControl::StopButton: return stopButton;
        case TableControl::GetCardButton: return getCardButton;
        case TableControl::StakeButton: return stakeButton;
        case TableControl::StakeSlider: return stakeSlider;
    }
    return nullptr;
}

Image* FormMain::CardPlace(CardRow row, int index) const {
    return (row == CardRow::Dealer ? dealerCardImages : playerCardImages)[index];
}

void FormMain::SetCellText(TableCell cell, const std::string& cellText) {
    if (cell == TableCell::Message && messageCell != nullptr) messageCell->font = largeFont;
    if (CellControl* target = Cell(cell)) target->SetTextUtf8(cellText);
    narrator.CellChanged(cell, cellText);
}

// Named first, so that a screen reader hears the new name with every change below.
void FormMain::ShowCard(CardRow row, int index, int picture) {
    if (Image* place = CardPlace(row, index)) {
        narrator.CardShown(*place, picture);
        place->SetImage(picture);
        place->Show();
    }
}

void FormMain::HideCard(CardRow row, int index) {
    if (Image* place = CardPlace(row, index)) place->Hide();
}

void FormMain::MoveCard(CardRow row, int index, int cardX, int cardY) {
    // A place that is already there is not moved again (and not repainted for it).
    Image* place = CardPlace(row, index);
    if (place != nullptr && (place->x != cardX || place->y != cardY || !place->created))
        place->MoveTo(cardX, cardY);
}

void FormMain::SetEnabled(TableControl control, bool enable) {
    if (GUIElement* element = Control(control)) element->SetEnabled(enable);
    // The hint goes with STOP: both belong to the player's turn.
    if (control == TableControl::StopButton && optionsMenu != nullptr) optionsMenu->SetHintEnabled(enable);
}

bool FormMain::IsEnabled(TableControl control) const {
    GUIElement* element = Control(control);
    return element != nullptr && element->enabled;
}

void FormMain::SetCaption(TableControl control, const std::string& caption) {
    if (GUIElement* element = Control(control)) element->SetTextUtf8(caption);
    narrator.CaptionChanged(control, caption);
}

std::string FormMain::Caption(TableControl control) const {
    GUIElement* element = Control(control);
    return element != nullptr ? element->GetTextUtf8() : std::string();
}

void FormMain::SetStakePosition(int position) {
    if (stakeSlider != nullptr) stakeSlider->SetPosition(position);
}

int FormMain::StakePosition() { return stakeSlider != nullptr ? stakeSlider->ReadPosition() : 1; }

// With the sound off nothing is played, and the library that plays sounds is never loaded.
void FormMain::PlayWave(int resourceId) {
    if (optionsMenu != nullptr && optionsMenu->SoundOn()) PlayWaveResource(resourceId);
}

void FormMain::ShowHint(const std::string& hint) {
    if (messageCell == nullptr) return;
    messageCell->font = hintFont;
    messageCell->SetTextUtf8(hint);
    narrator.CellChanged(TableCell::Message, hint);
}

// The round's moments are worded only for a screen reader, where the platform can speak them.
bool FormMain::WantsSentences() const { return ScreenReaderNotice::Available(); }

void FormMain::Announce(const std::string& sentence) { narrator.Speak(sentence); }

}  // namespace DoDadu
