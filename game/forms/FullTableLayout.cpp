#include "FullTableLayout.h"

#include "Cards.h"
#include "TableColours.h"

#include <algorithm>
#include <utility>

namespace DoDadu {

using namespace NeloUtility;

namespace {

const int kCardWidth = 63;  // the classic table's cards
const int kCardHeight = 101;
const int kCardGap = 6;

// A seat's place: its name, chips, cards and state line, one under the other.
const int kPlaceWidth = 300;
const int kNameHeight = 26;
const int kChipsTop = 26;
const int kChipsHeight = 20;
const int kCardsTop = 48;
const int kStateTop = 152;
const int kStateHeight = 22;

// Where the places stand: the bank's at the top in the middle, the others from the
// bank's right hand (the left of the screen) round to its left hand.
const std::pair<int, int> kBankPlace{330, 8};
const std::pair<int, int> kAroundPlaces[] = {{10, 190}, {10, 370}, {330, 370}, {650, 370}, {650, 190}};
// Which of those the seats after the bank take, by how many there are.
const std::vector<int> kAroundByCount[] = {{}, {2}, {1, 3}, {1, 2, 3}, {0, 1, 3, 4}, {0, 1, 2, 3, 4}};

const int kMessageTop = 550;
const int kMessageHeight = 38;
const int kControlsTop = 594;
const int kControlHeight = 40;
const int kControlWidth = 100;
const int kShowCardWidth = 150;
const int kControlGap = 10;

const int kLeftAligned = 0;  // CellControl's left alignment

}  // namespace

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
    for (Button* button : {startButton, stopButton, getCardButton, stakeButton, showCardButton})
        DeleteElement(button);
    DeleteElement(stakeSlider);
    for (FontSpec* spec : {formFont, buttonFont, nameFont, seatFont, messageFont, hintFont})
        DeleteElement(spec);
}

void FullTableLayout::Build(Form& table, const TextSource& texts, const FullTableEvents& events) {
    form = &table;
    buttonPressed = events.buttonPressed;
    BuildMenuBar(texts, events.menuPicked);
    for (SeatPlace& place : places) BuildPlace(place);
    messageCell = MakeCell(messageFont, kTableWhite, kFullTableWidth - 40, kMessageHeight);
    messageCell->MoveTo(20, kMessageTop);
    messageCell->linesCentred = true;  // a hint's two lines
    messageCell->Create();
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
    cell->SetBackColor(form->backColor);
    cell->textColor = color;
    cell->font = cellFont;
    return cell;
}

// Every place is made at the bank's corner and hidden; Arrange puts the ones in use in place.
void FullTableLayout::BuildPlace(SeatPlace& place) {
    place.name = MakeCell(nameFont, kTableWhite, kPlaceWidth, kNameHeight);
    place.chips = MakeCell(seatFont, kTableYellow, kPlaceWidth, kChipsHeight);
    place.state = MakeCell(seatFont, kTableWhite, kPlaceWidth, kStateHeight);
    for (CellControl* cell : {place.name, place.chips, place.state}) cell->textAlign = kLeftAligned;
    // A place holds no picture until a card is shown in it: most places stay empty, and
    // a maximised table's pictures are large.
    for (Image*& card : place.cards) {
        card = new Image(form, 0);
        card->SetSize(kCardWidth, kCardHeight);
        card->stacked = true;
    }
    MovePlace(place, kBankPlace.first, kBankPlace.second);
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
    const int rowWidth = 5 * (kControlWidth + kControlGap) + kShowCardWidth;
    int x = (kFullTableWidth - rowWidth) / 2;
    const int step = kControlWidth + kControlGap;
    startButton = MakeButton(texts.Text(TextIds::kButtonStart), x, kControlWidth, true);
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

void FullTableLayout::Arrange(int seatCount) {
    const int around = std::clamp(seatCount - 1, 0, kSeatPlaces - 1);
    for (int i = 0; i < kSeatPlaces; ++i) {
        SeatPlace& place = places[static_cast<std::size_t>(i)];
        const bool used = i <= around && seatCount > 0;
        if (used) {
            const auto& at =
                i == 0 ? kBankPlace : kAroundPlaces[kAroundByCount[around][static_cast<std::size_t>(i - 1)]];
            if (place.left != at.first || place.top != at.second) MovePlace(place, at.first, at.second);
        }
        for (CellControl* cell : {place.name, place.chips, place.state}) used ? cell->Show() : cell->Hide();
        if (!used)
            for (Image* card : place.cards) card->Hide();
    }
}

void FullTableLayout::LayHand(int placeIndex, int cardCount) {
    SeatPlace& place = places[static_cast<std::size_t>(placeIndex)];
    const int spread = cardCount > 1 ? (kPlaceWidth - kCardWidth) / (cardCount - 1) : 0;
    const int step = std::min(kCardWidth + kCardGap, spread);
    for (int i = 0; i < kHandCards; ++i) {
        Image* card = place.cards[static_cast<std::size_t>(i)];
        const int x = place.left + i * step;
        if (i < cardCount && card->x != x) card->MoveTo(x, place.top + kCardsTop);
        if (i >= cardCount && card->visible) card->Hide();
        // Each card lies on the one dealt before it.
        if (i < cardCount && card->window != nullptr)
            SetWindowPos(card->window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void FullTableLayout::ShowTexts(const TextSource& texts) {
    tableMenu->SetCaption(texts.Text(TextIds::kMenuTable));
    optionsMenu->SetCaption(texts.Text(TextIds::kMenuOptions));
    newEveningItem->SetCaption(texts.Text(TextIds::kMenuNewEvening));
    hintItem->SetCaption(texts.Text(TextIds::kMenuHint));
    const std::pair<GUIElement*, unsigned> labels[] = {{startButton, TextIds::kButtonStart},
                                                       {stopButton, TextIds::kButtonStop},
                                                       {getCardButton, TextIds::kButtonGetCard},
                                                       {showCardButton, TextIds::kButtonShowCard}};
    for (const auto& label : labels) label.first->SetTextUtf8(texts.Text(label.second));
}

}  // namespace DoDadu
