#include "FullTableLayout.h"

#include "Cards.h"
#include "FullTableFelt.h"
#include "TableColours.h"

#include "AccessibleElement.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace DoDadu {

using namespace NeloUtility;

namespace {

const int kCardWidth = 63;  // the classic table's cards
const int kCardHeight = 101;
const int kCardGap = 6;

// A place: its name, chips, cards and state line one under the other, the stake's pile of
// chips beside the cards.
const int kNameHeight = 26;
const int kChipsTop = 26;
const int kChipsHeight = 20;
const int kCardsTop = 48;
const int kCardsWidth = 244;  // at the most: the widest hand overlaps
const int kPileGap = 10;
const int kPileWidth = kPlaceWidth - kCardsWidth - kPileGap;
const int kPileTop = 60;
const int kStateTop = 152;
const int kStateHeight = 22;

// Where the places stand: the bank's at the top in the middle, the others by how many they
// are, round the felt from the bank's right hand to its left hand.
const POINT kBankPlace{370, 40};
const std::vector<POINT> kAroundByCount[] = {{},
                                             {{370, 366}},
                                             {{120, 330}, {620, 330}},
                                             {{50, 224}, {370, 366}, {690, 224}},
                                             {{50, 180}, {200, 366}, {540, 366}, {690, 180}},
                                             {{50, 140}, {50, 330}, {370, 366}, {690, 330}, {690, 140}}};

const int kMessageTop = 588;
const int kMessageHeight = 38;
const int kControlsTop = 632;
const int kControlHeight = 40;
const int kControlWidth = 100;
const int kShowCardWidth = 150;
const int kControlGap = 10;
// Before the evening starts: the free seat, its computer's style and the button that gives it.
const int kFreeSeatWidth = 170;
const int kStyleWidth = 150;
const int kGiveWidth = 230;
const int kChoiceHeight = 26;
const int kCopyWidth = 190;
const int kRoundRowWidth = 5 * (kControlWidth + kControlGap) + kShowCardWidth;
// The invitation, in the felt's middle where its mark stands: between the bank's place and
// the others' at any number of seats. Its lines are kept short enough to fit.
const RECT kInvitationArea{350, 250, 690, 330};
const std::size_t kInvitationLine = 40;

std::vector<std::string> StyleNames(const TextSource& texts) {
    return {texts.Text(TextIds::kSetupCareful), texts.Text(TextIds::kSetupBold),
            texts.Text(TextIds::kSetupExpert)};
}

// A part of the invitation in lines of even length, none longer than fits.
void AddLines(std::string& lines, const std::string& part) {
    if (part.empty()) return;
    const std::size_t count = (part.size() + kInvitationLine - 1) / kInvitationLine;
    const std::size_t length = (part.size() + count - 1) / count;
    for (std::size_t at = 0; at < part.size(); at += length)
        lines += (lines.empty() ? "" : "\n") + part.substr(at, length);
}

}  // namespace

std::vector<POINT> PlacesAround(int seatCount) {
    if (seatCount <= 0) return {};
    std::vector<POINT> corners{kBankPlace};
    const auto& around = kAroundByCount[std::min(seatCount, kSeatPlaces) - 1];
    corners.insert(corners.end(), around.begin(), around.end());
    return corners;
}

RECT PlaceArea(POINT corner) {
    return RECT{corner.x, corner.y, corner.x + kPlaceWidth, corner.y + kPlaceHeight};
}

RECT PileArea(const SeatPlace& place) {
    const int left = place.left + place.handLeft + place.handWidth + kPileGap;
    return RECT{left, place.top + kPileTop, left + kPileWidth, place.top + kCardsTop + kCardHeight};
}

std::string InvitationLines(const std::string& invitation) {
    const std::size_t pin = invitation.find('#');
    std::string lines;
    AddLines(lines, invitation.substr(0, pin));
    if (pin != std::string::npos) AddLines(lines, invitation.substr(pin));
    return lines;
}

FullTableLayout::FullTableLayout() {
    formFont = new FontSpec("Lucida Console", 14);
    buttonFont = new FontSpec("Lucida Console", 14);
    nameFont = new FontSpec("Arial", 19);
    nameFont->bold = true;
    seatFont = new FontSpec("Arial", 15);
    seatFont->bold = true;
    messageFont = new FontSpec("Arial", 20);
    messageFont->bold = true;
    hintFont = new FontSpec("Arial", 14);
    hintFont->bold = true;
    invitationFont = new FontSpec("Lucida Console", 13);
}

FullTableLayout::~FullTableLayout() {
    // The timer goes first, so that no tick arrives while the table is taken apart.
    DeleteElement(paceTimer);
    for (GUIElement* element : std::initializer_list<GUIElement*>{menuBar, tableMenu, optionsMenu})
        DeleteElement(static_cast<Child*>(element));
    DeleteElement(newEveningItem);
    DeleteElement(hintItem);
    for (SeatPlace& place : places) {
        for (CellControl* cell : {place.name, place.chips, place.state}) DeleteElement(cell);
        for (Image* card : place.cards) DeleteElement(card);
    }
    DeleteElement(messageCell);
    DeleteElement(invitationCell);
    for (Button* button : {startButton, copyInvitationButton, stopButton, getCardButton, stakeButton,
                           showCardButton, giveSeatButton})
        DeleteElement(button);
    DeleteElement(stakeSlider);
    DeleteElement(freeSeatChoice);
    DeleteElement(styleChoice);
    for (FontSpec* spec : {formFont, buttonFont, nameFont, seatFont, messageFont, hintFont, invitationFont})
        DeleteElement(spec);
}

void FullTableLayout::Build(Form& table, const TextSource& texts, const FullTableEvents& events) {
    form = &table;
    buttonPressed = events.buttonPressed;
    BuildMenuBar(texts, events.menuPicked);
    for (SeatPlace& place : places) BuildPlace(place);
    messageCell = MakeCell(messageFont, kTableWhite, kFullTableWidth - 40, kMessageHeight);
    messageCell->SetBackColor(kTableRoom);
    messageCell->MoveTo(20, kMessageTop);
    messageCell->linesCentred = true;  // a hint's two lines
    messageCell->Create();
    invitationCell = MakeCell(invitationFont, kTableWhite, kInvitationArea.right - kInvitationArea.left,
                              kInvitationArea.bottom - kInvitationArea.top);
    invitationCell->MoveTo(kInvitationArea.left, kInvitationArea.top);
    invitationCell->linesCentred = true;
    invitationCell->Create();
    invitationCell->Hide();
    BuildControls(texts, events);
    paceTimer = new Timer(form, 1000);
    paceTimer->Tick = events.paceTick;
    paceTimer->Create();
}

void FullTableLayout::BuildMenuBar(const TextSource& texts, NotifyEvent picked) {
    menuBar = new MenuBar(form);
    tableMenu = new Menu(menuBar, texts.Text(TextIds::kMenuTable));
    newEveningItem = new SubMenu(tableMenu, texts.Text(TextIds::kMenuNewEvening));
    newEveningItem->command = picked;
    optionsMenu = new Menu(menuBar, texts.Text(TextIds::kMenuOptions));
    hintItem = new SubMenu(optionsMenu, texts.Text(TextIds::kMenuHint));
    hintItem->shortcutKey = VK_F2;
    hintItem->command = picked;
    menuBar->Create();
}

CellControl* FullTableLayout::MakeCell(FontSpec* cellFont, COLORREF color, int cellWidth, int cellHeight) {
    auto* cell = new CellControl(form);
    cell->SetSize(cellWidth, cellHeight);
    cell->SetBackColor(kTableGreen);
    cell->textColor = color;
    cell->font = cellFont;
    return cell;
}

// Every place is made at the bank's corner and hidden; Arrange puts the ones in use in place.
void FullTableLayout::BuildPlace(SeatPlace& place) {
    place.name = MakeCell(nameFont, kTableWhite, kPlaceWidth, kNameHeight);
    place.chips = MakeCell(seatFont, kTableYellow, kPlaceWidth, kChipsHeight);
    place.state = MakeCell(seatFont, kTableWhite, kPlaceWidth, kStateHeight);
    // A place holds no picture until a card is shown in it: most places stay empty, and
    // a maximised table's pictures are large.
    for (Image*& card : place.cards) {
        card = new Image(form, 0);
        card->SetSize(kCardWidth, kCardHeight);
        card->stacked = true;
    }
    MovePlace(place, kBankPlace.x, kBankPlace.y);
    for (CellControl* cell : {place.name, place.chips, place.state}) {
        cell->Create();
        cell->Hide();
    }
    for (Image* card : place.cards) {
        card->Create();
        card->Hide();
    }
}

void FullTableLayout::MovePlace(SeatPlace& place, int left, int top) {
    place.left = left;
    place.top = top;
    place.name->MoveTo(left, top);
    place.chips->MoveTo(left, top + kChipsTop);
    place.state->MoveTo(left, top + kStateTop);
    for (Image* card : place.cards) card->MoveTo(left, top + kCardsTop);
}

Button* FullTableLayout::MakeButton(const std::string& caption, int x, int buttonWidth, bool startEnabled) {
    auto* button = new Button(form, std::string());
    button->SetTextUtf8(caption);
    button->SetSize(buttonWidth, kControlHeight);
    button->MoveTo(x, kControlsTop);
    button->command = buttonPressed;
    button->font = buttonFont;
    button->SetHandCursor(true);
    button->ownerDrawn = true;
    if (!startEnabled) button->SetEnabled(false);
    button->Create();
    return button;
}

// START, STOP, GET CARD, the stake and its slider, and Show my card, centred in a row.
void FullTableLayout::BuildControls(const TextSource& texts, const FullTableEvents& events) {
    int x = (kFullTableWidth - kRoundRowWidth) / 2;
    const int step = kControlWidth + kControlGap;
    startButton = MakeButton(texts.Text(TextIds::kButtonStart), x, kControlWidth, true);
    copyInvitationButton = MakeButton(texts.Text(TextIds::kCopyInvitation), x, kCopyWidth, true);
    copyInvitationButton->Hide();
    BuildGiving(texts);  // next in tab order, where the round's controls stand
    stopButton = MakeButton(texts.Text(TextIds::kButtonStop), x += step, kControlWidth, false);
    getCardButton = MakeButton(texts.Text(TextIds::kButtonGetCard), x += step, kControlWidth, false);
    stakeButton = MakeButton(texts.Text(TextIds::kButtonStake), x += step, kControlWidth, false);
    stakeSlider = new Slider(form);
    stakeSlider->SetSize(kControlWidth, kControlHeight);
    stakeSlider->MoveTo(x += step, kControlsTop);
    stakeSlider->showLabels = false;
    stakeSlider->ValueChanged = events.stakeMoved;
    stakeSlider->SetEnabled(false);
    stakeSlider->Create();
    showCardButton = MakeButton(texts.Text(TextIds::kButtonShowCard), x + step, kShowCardWidth, false);
}

ChoiceBox* FullTableLayout::MakeChoice(int x, int choiceWidth, const std::string& name,
                                       const std::vector<std::string>& choices) {
    auto* choice = new ChoiceBox(form);
    choice->font = buttonFont;
    choice->fieldHeight = kChoiceHeight;
    choice->SetChoices(choices);
    choice->SetSize(choiceWidth, choice->height);
    choice->MoveTo(x, kControlsTop + (kControlHeight - kChoiceHeight) / 2);
    SetAccessibleName(*choice, name);
    choice->Create();
    choice->Hide();
    return choice;
}

// The free seat, the style and the button that gives the seat, in the row once it is
// shown (ShowGathering places them).
void FullTableLayout::BuildGiving(const TextSource& texts) {
    // Room in the list for every seat but the creator's.
    freeSeatChoice = MakeChoice(0, kFreeSeatWidth, texts.Text(TextIds::kNameLobbyFreeSeats),
                                std::vector<std::string>(kSeatPlaces - 1));
    styleChoice = MakeChoice(0, kStyleWidth, texts.Text(TextIds::kNameLobbyStyle), StyleNames(texts));
    giveSeatButton = MakeButton(texts.Text(TextIds::kButtonGiveSeat), 0, kGiveWidth, false);
    giveSeatButton->Hide();
}

// START stands at the left of the row: with Copy invitation once there is a table to invite
// to, and the choice of a free seat for whoever may give it; the round's controls come back
// once the evening starts, centred whether or not Show my card is among them.
void FullTableLayout::ShowGathering(bool gathering, bool giving, const std::string& invitation) {
    const bool inviting = gathering && !invitation.empty();
    ShowInvitation(inviting ? invitation : std::string());
    std::vector<GUIElement*> row{startButton};
    if (inviting) row.push_back(copyInvitationButton);
    if (giving) row.insert(row.end(), {freeSeatChoice, styleChoice, giveSeatButton});
    if (!gathering) row.insert(row.end(), {stopButton, getCardButton, stakeButton, stakeSlider});
    if (!gathering && showCardButton->visible) row.push_back(showCardButton);
    CentreRow(row);
    const auto showIf = [](bool shown, std::initializer_list<GUIElement*> controls) {
        for (GUIElement* control : controls)
            if (control->visible != shown) shown ? control->Show() : control->Hide();
    };
    showIf(inviting, {copyInvitationButton});
    showIf(!gathering, {stopButton, getCardButton, stakeButton, stakeSlider});
    showIf(giving, {freeSeatChoice, styleChoice, giveSeatButton});
}

// The controls of the row below the message line side by side, the row centred.
void FullTableLayout::CentreRow(const std::vector<GUIElement*>& row) {
    int rowWidth = -kControlGap;
    for (const GUIElement* control : row) rowWidth += control->width + kControlGap;
    int x = (kFullTableWidth - rowWidth) / 2;
    for (GUIElement* control : row) {
        if (control->x != x) control->MoveTo(x, control->y);
        x += control->width + kControlGap;
    }
}

// The invitation in the felt's middle, over its mark, or the mark again.
void FullTableLayout::ShowInvitation(const std::string& invitation) {
    const std::string lines = InvitationLines(invitation);
    if (lines == invitationCell->GetTextUtf8() && ShowsInvitation() == !lines.empty()) return;
    invitationCell->SetTextUtf8(lines);
    SetAccessibleName(*invitationCell, invitation);
    lines.empty() ? invitationCell->Hide() : invitationCell->Show();
    if (form != nullptr && form->window != nullptr) InvalidateRect(form->window, nullptr, TRUE);
}

void FullTableLayout::Arrange(int seatCount) {
    const std::vector<POINT> corners = PlacesAround(seatCount);
    for (std::size_t i = 0; i < places.size(); ++i) {
        SeatPlace& place = places[i];
        place.used = i < corners.size();
        if (place.used && (place.left != corners[i].x || place.top != corners[i].y))
            MovePlace(place, corners[i].x, corners[i].y);
        for (CellControl* cell : {place.name, place.chips, place.state})
            place.used ? cell->Show() : cell->Hide();
        if (!place.used)
            for (Image* card : place.cards) card->Hide();
        if (!place.used) MarkPlace(static_cast<int>(i), false, 0);
    }
    if (form != nullptr && form->window != nullptr) InvalidateRect(form->window, nullptr, TRUE);
}

void FullTableLayout::MarkPlace(int index, bool inTurn, int stake) {
    SeatPlace& place = places[static_cast<std::size_t>(index)];
    if (place.inTurn == inTurn && place.stake == stake) return;
    if (place.inTurn != inTurn) {
        for (CellControl* cell : {place.name, place.chips, place.state}) {
            cell->SetBackColor(inTurn ? kFeltLit : kTableGreen);
            if (cell->created) InvalidateRect(cell->window, nullptr, TRUE);
        }
    }
    place.inTurn = inTurn;
    place.stake = stake;
    RepaintFelt(place);
}

// The felt under a place and its frame of light, painted again with what stands on it.
void FullTableLayout::RepaintFelt(const SeatPlace& place) {
    if (form == nullptr || form->window == nullptr) return;
    RECT area = PlaceArea(POINT{place.left, place.top});
    InflateRect(&area, kTurnGlow, kTurnGlow);
    const RECT pixels = FeltPixels(*form, area);
    InvalidateRect(form->window, &pixels, FALSE);  // the felt is painted over what was there
}

void FullTableLayout::LayHand(int placeIndex, int cardCount) {
    SeatPlace& place = places[static_cast<std::size_t>(placeIndex)];
    const int spread = cardCount > 1 ? (kCardsWidth - kCardWidth) / (cardCount - 1) : 0;
    const int step = std::min(kCardWidth + kCardGap, spread);
    const int handWidth = cardCount > 0 ? (cardCount - 1) * step + kCardWidth : 0;
    const int pile = placeIndex == 0 ? 0 : kPileGap + kPileWidth;  // the bank stakes nothing
    const int handLeft = std::max(0, (kPlaceWidth - handWidth - pile) / 2);
    for (int i = 0; i < kHandCards; ++i) {
        Image* card = place.cards[static_cast<std::size_t>(i)];
        const int x = place.left + handLeft + i * step;
        if (i < cardCount && card->x != x) card->MoveTo(x, place.top + kCardsTop);
        if (i >= cardCount && card->visible) card->Hide();
        // Each card lies on the one dealt before it.
        if (i < cardCount && card->window != nullptr)
            SetWindowPos(card->window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (handLeft == place.handLeft && handWidth == place.handWidth) return;
    place.handLeft = handLeft;
    place.handWidth = handWidth;
    if (place.stake > 0) RepaintFelt(place);  // the pile moves along
}

void FullTableLayout::ShowTexts(const TextSource& texts) {
    tableMenu->SetCaption(texts.Text(TextIds::kMenuTable));
    optionsMenu->SetCaption(texts.Text(TextIds::kMenuOptions));
    newEveningItem->SetCaption(texts.Text(TextIds::kMenuNewEvening));
    hintItem->SetCaption(texts.Text(TextIds::kMenuHint));
    const std::pair<GUIElement*, unsigned> labels[] = {
        {startButton, TextIds::kButtonStart},       {copyInvitationButton, TextIds::kCopyInvitation},
        {stopButton, TextIds::kButtonStop},         {getCardButton, TextIds::kButtonGetCard},
        {showCardButton, TextIds::kButtonShowCard}, {giveSeatButton, TextIds::kButtonGiveSeat}};
    for (const auto& label : labels) label.first->SetTextUtf8(texts.Text(label.second));
    const int style = styleChoice->Selected();
    styleChoice->SetChoices(StyleNames(texts));
    styleChoice->Select(style);
    SetAccessibleName(*styleChoice, texts.Text(TextIds::kNameLobbyStyle));
    SetAccessibleName(*freeSeatChoice, texts.Text(TextIds::kNameLobbyFreeSeats));
}

}  // namespace DoDadu
