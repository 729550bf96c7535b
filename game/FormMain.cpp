#include "FormMain.h"

#include "FormAbout.h"
#include "ScreenReaderNotice.h"
#include "Shell.h"
#include "UserLocale.h"
#include "ZandroVersion.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <utility>

namespace DoDadu {

using namespace NeloUtility;

const char* const kHomePage = "http://www.zandro.test";

std::string GuidePage() { return std::string(kHomePage) + "/" + "Zandro" + ".asp"; }

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
const int kAboutLogoPicture = 1006;
const int kAboutLogoWidth = 164;  // the about box lays out its text column from this
const int kAboutLogoHeight = 50;
const UINT kSoundFlags = SND_RESOURCE | SND_ASYNC | SND_NODEFAULT;

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

// The table window itself got the focus, or another window took the activation.
int TableFocused(GUIElement* element) {
    if (FormMain* form = AsMainForm(element)) form->narrator.TableFocused();
    return 0;
}

int TableLeft(GUIElement* element) {
    if (FormMain* form = AsMainForm(element)) form->narrator.RememberFocus();
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
    : Form(instanceHandle), round(*this, localTime, store, UserNumberLocale()) {
    Construct(title);
}

FormMain::FormMain(HINSTANCE instanceHandle, const std::string& title, DealerClock& dealerClock)
    : Form(instanceHandle), round(*this, dealerClock, store, UserNumberLocale()) {
    Construct(title);
}

void FormMain::Construct(const std::string& title) {
    round.LoadScore();
    formFont = new FontSpec("Lucida Console", 14);
    largeFont = new FontSpec("Arial", 22);
    largeFont->bold = true;
    font = formFont;
    Form::SetSize(kTableWidth, kTableHeight);
    SetTextNarrow(title);
    minimizeBox = true;
    maximizeBox = false;
    SetFormEvents();
    SetBackColor(kTableGreen);
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
    DeleteElement(menuBar);
    DeleteElement(fileMenu);
    DeleteElement(exitItem);
    DeleteElement(helpMenu);
    DeleteElement(homeItem);
    DeleteElement(guideItem);
    font = nullptr;
    DeleteElement(formFont);
    DeleteElement(exitButton);
    DeleteElement(infoButton);
    DeleteElement(startButton);
    DeleteElement(logoImage);
    if (controlBrush != nullptr) DeleteObject(controlBrush);
    DeleteElement(largeFont);
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
    GotFocus = TableFocused;
    Deactivated = TableLeft;
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
    infoButton = MakeButton("INFO", width - 105, 20, false, true);
    exitButton = MakeButton("EXIT", width - 105, 70, false, true);
    BuildSideCells();
    BuildScoreCells();
    BuildPlayButtons();
    BuildStakeSlider();
    round.ShowAndSaveScore();
    round.ResetTable();
    MakeDealTimer();
    narrator.DescribeTable();
    // No focus mark until the keyboard is used: a table played with the mouse looks as it
    // always did, while START holds the focus for a player who starts with a key.
    SetFocusMarksHidden(window, true);
}

void FormMain::BuildMenuBar() {
    menuBar = new MenuBar(this);
    fileMenu = new Menu(menuBar, "&File");
    exitItem = new SubMenu(fileMenu, "&Exit");
    exitItem->command = MenuPicked;
    helpMenu = new Menu(menuBar, "&?");
    guideItem = new SubMenu(helpMenu, "&Guide");
    guideItem->command = MenuPicked;
    homeItem = new SubMenu(helpMenu, "&Home");
    homeItem->command = MenuPicked;
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
                                COLORREF color, const char* cellText) {
    auto* cell = new CellControl(this);
    cell->SetSize(cellWidth, cellHeight);
    cell->MoveTo(x, y);
    cell->SetBackColor(backColor);
    cell->textColor = color;
    cell->font = cellFont;
    cell->SetTextNarrow(cellText);
    return cell;
}

void FormMain::BuildHandCells() {
    // The captions and points of the two hands: made centred, then set to the left.
    struct HandCell {
        CellControl** field;
        int x;
        int y;
        int cellWidth;
        const char* text;
    };
    const HandCell handCells[] = {
        {&dealerCaptionCell, 10, 78, 120, "Dealer"},
        {&dealerPointsCell, 140, 78, 50, "0"},
        {&playerCaptionCell, 10, 238, 120, "Player"},
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
    remainingCaptionCell = MakeCell(W - 105, 200, 100, 55, formFont, kWhite, "Remaining\ncards");
    remainingCaptionCell->Create();
    remainingCell = MakeCell(W - 105, 256, 100, 55, largeFont, kYellow,
                             PlainNumberText(round.cards.remainingCards).c_str());
    remainingCell->Create();
    messageCell = MakeCell(60, 385, W - 120, 35, largeFont, kWhite, "");
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
    scoreCaptionCell->SetTextNarrow("Score");
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

Button* FormMain::MakeButton(const char* caption, int x, int y, bool bottomRow, bool startEnabled) {
    auto* button = new Button(this, caption);
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
    startButton = MakeButton(kStartCaption, left, y, true, true);
    stopButton = MakeButton("STOP", left + 110, y, true, false);
    getCardButton = MakeButton("GET CARD", left + 220, y, true, false);
    stakeButton = MakeButton("PUNTO", left + 330, y, true, false);
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
    UnregisterHotKeys();
    narrator.RememberFocus();
    if (!AskYesNo("Do you really want to go exit?", "Exit")) {
        RegisterHotKeys();
        narrator.ReturnToTable();
        return false;
    }
    LeaveTable();
    return true;
}

void FormMain::LeaveTable() {
    round.AbandonRound();
    if (dealTimer != nullptr && dealTimer->running) dealTimer->Stop();
}

void FormMain::OnFormResized() {}

void FormMain::OnDealerTick() {
    round.OnDealerTick();
    FollowDealerTurn();
    narrator.KeepFocus();
}

bool FormMain::OnFormChar(int) { return true; }

bool FormMain::OnTextBoxChar(TextBox*, int character) { return character != '\t' && character != '\r'; }

void FormMain::OnFormKeyDown(int) {}

void FormMain::OnFormKeyUp(int) {}

void FormMain::OnMenuCommand(SubMenu* item) {
    if (item == nullptr) return;
    if (exitItem != nullptr && item->commandId == exitItem->commandId) {
        SendMessageW(window, WM_CLOSE, 0, 0);
        // The player may have answered No: only a window that is really gone stops
        // counting as created.
        if (!IsWindow(window)) created = false;
    }
    if (homeItem != nullptr && item->commandId == homeItem->commandId) OpenWithShell(kHomePage);
    if (guideItem != nullptr && item->commandId == guideItem->commandId) OpenWithShell(GuidePage());
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
    narrator.KeepFocus();
}

void FormMain::OnStakeChanged(GUIElement*, int position) { round.OnStakeChanged(position); }

// A fresh about box for every press; the one it replaces may still be on screen, so it
// is deleted only when the message loop ends.
void FormMain::ShowAbout() {
    narrator.RememberFocus();  // given back when the box closes
    if (aboutForm != nullptr) DeferDelete(aboutForm);
    aboutForm = new FormAbout(this);
    aboutForm->logoId = kAboutLogoPicture;
    aboutForm->logoWidth = kAboutLogoWidth;
    aboutForm->logoHeight = kAboutLogoHeight;
    aboutForm->titleText = "Zandro++ " ZANDRO_VERSION;
    aboutForm->copyrightText = "Copyright (C) 2026 the Zandro++ developers";
    aboutForm->noticeText =
        "Press START: you and the dealer get a covered card.\r\n"
        "Draw with GET CARD, STOP close to 7.5: over it, you lose.\r\n"
        "The dealer then draws by itself; a tie is the dealer's.";
    aboutForm->webAddress = kHomePage;
    aboutForm->Show();
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
    if (CellControl* target = Cell(cell)) target->SetTextNarrow(cellText);
    narrator.CellChanged(cell, cellText);
}

void FormMain::ShowCard(CardRow row, int index, int picture) {
    if (Image* place = CardPlace(row, index)) {
        const bool wasShown = place->created && place->visible;
        // The table is refreshed after every card: a place that already shows this
        // picture keeps it rather than loading it again.
        if (place->resourceId != picture || place->bitmap == nullptr) place->SetImage(picture);
        place->Show();
        narrator.CardShown(*place, picture, wasShown);
    }
}

void FormMain::HideCard(CardRow row, int index) {
    if (Image* place = CardPlace(row, index)) {
        const bool wasShown = place->created && place->visible;
        place->Hide();
        narrator.CardHidden(*place, wasShown);
    }
}

void FormMain::MoveCard(CardRow row, int index, int cardX, int cardY) {
    // A place that is already there is not moved again (and not repainted for it).
    Image* place = CardPlace(row, index);
    if (place != nullptr && (place->x != cardX || place->y != cardY || !place->created))
        place->MoveTo(cardX, cardY);
}

void FormMain::SetEnabled(TableControl control, bool enable) {
    if (GUIElement* element = Control(control)) {
        const bool wasEnabled = element->enabled;
        element->SetEnabled(enable);
        narrator.ControlEnabled(*element, wasEnabled);
    }
}

bool FormMain::IsEnabled(TableControl control) const {
    GUIElement* element = Control(control);
    return element != nullptr && element->enabled;
}

void FormMain::SetCaption(TableControl control, const std::string& caption) {
    if (GUIElement* element = Control(control)) element->SetTextNarrow(caption);
    narrator.CaptionChanged(control, caption);
}

std::string FormMain::Caption(TableControl control) const {
    GUIElement* element = Control(control);
    return element != nullptr ? element->GetTextNarrow() : std::string();
}

void FormMain::SetStakePosition(int position) {
    if (stakeSlider != nullptr) stakeSlider->SetPosition(position);
}

int FormMain::StakePosition() {
    if (stakeSlider == nullptr) return 1;
    if (stakeSlider->created)
        stakeSlider->position = static_cast<int>(SendMessageW(stakeSlider->window, TBM_GETPOS, 0, 0));
    return stakeSlider->position;
}

// The sound library is loaded with the first sound rather than with the program, so
// the table comes up sooner.
void FormMain::PlayWave(int resourceId) {
    using PlaySoundFunction = decltype(&::PlaySoundW);
    static PlaySoundFunction playSound = [] {
        HMODULE sound = LoadLibraryW(L"winmm.dll");
        return sound != nullptr ? reinterpret_cast<PlaySoundFunction>(
                                      reinterpret_cast<void*>(GetProcAddress(sound, "PlaySoundW")))
                                : nullptr;
    }();
    if (playSound != nullptr) playSound(MAKEINTRESOURCEW(resourceId), GetModuleHandleW(nullptr), kSoundFlags);
}

// The round's moments are worded only where the platform can speak them.
bool FormMain::WantsSentences() const { return ScreenReaderNotice::Available(); }

void FormMain::Announce(const std::string& sentence) { narrator.Speak(sentence); }

}  // namespace DoDadu
