#include "ClassicTableLayout.h"

#include "Cards.h"
#include "TableColours.h"

#include <algorithm>
#include <utility>

namespace DoDadu {

using namespace NeloUtility;

namespace {

const int kTextLeft = 0;  // CellControl's left alignment; cells are centred by default

const int kCardWidth = 63;
const int kCardHeight = 101;
const int kButtonWidth = 100;
const int kButtonHeight = 40;

const int kLogoPicture = 1007;

}  // namespace

ClassicTableLayout::ClassicTableLayout() {
    formFont = new FontSpec("Lucida Console", 14);
    largeFont = new FontSpec("Arial", 22);
    largeFont->bold = true;
    hintFont = new FontSpec("Arial", 14);
    hintFont->bold = true;
}

ClassicTableLayout::~ClassicTableLayout() {
    // The timer goes first, so that no tick arrives while the table is taken apart.
    DeleteElement(dealTimer);
    DeleteElement(menuBar);
    DeleteElement(fileMenu);
    DeleteElement(fullTableItem);
    DeleteElement(onlineItem);
    DeleteElement(exitItem);
    DeleteElement(helpMenu);
    DeleteElement(homeItem);
    DeleteElement(guideItem);
    DeleteElement(optionsMenu);
    DeleteElement(exitButton);
    DeleteElement(infoButton);
    DeleteElement(startButton);
    DeleteElement(logoImage);
    for (Image* place : dealerCardImages) DeleteElement(place);
    for (Image* place : playerCardImages) DeleteElement(place);
    for (CellControl* cell : {messageCell, scoreCaptionCell, scoreCell, playerCaptionCell, playerPointsCell,
                              dealerCaptionCell, dealerPointsCell, remainingCaptionCell, remainingCell})
        DeleteElement(cell);
    DeleteElement(stopButton);
    DeleteElement(stakeButton);
    DeleteElement(getCardButton);
    DeleteElement(stakeSlider);
    DeleteElement(formFont);
    DeleteElement(largeFont);
    DeleteElement(hintFont);
}

void ClassicTableLayout::Build(Form& table, const TextSource& texts, const TableEvents& events,
                               const std::string& remaining) {
    form = &table;
    buttonPressed = events.buttonPressed;
    BuildMenuBar(texts, events.menuPicked);
    if (form->created) {
        const SIZE client = form->ClientSize();
        form->width = client.cx;
        form->height = client.cy;
    }
    logoImage = new Image(form, kLogoPicture);
    logoImage->SetSize(200, 60);
    logoImage->MoveTo(9, 10);
    logoImage->Create();
    BuildCardPlaces();
    BuildHandCells(texts);
    infoButton = MakeButton(texts.Text(TextIds::kButtonInfo), form->width - 105, 20, false, true);
    exitButton = MakeButton(texts.Text(TextIds::kButtonExit), form->width - 105, 70, false, true);
    BuildSideCells(texts, remaining);
    BuildScoreCells(texts);
    BuildPlayButtons(texts);
    BuildStakeSlider(events.stakeMoved);
    MakeDealTimer(events.dealerTick);
}

void ClassicTableLayout::BuildMenuBar(const TextSource& texts, NotifyEvent picked) {
    menuBar = new MenuBar(form);
    fileMenu = new Menu(menuBar, texts.Text(TextIds::kMenuFile));
    exitItem = new SubMenu(fileMenu, texts.Text(TextIds::kMenuExit));
    exitItem->command = picked;
    helpMenu = new Menu(menuBar, texts.Text(TextIds::kMenuHelp));
    guideItem = new SubMenu(helpMenu, texts.Text(TextIds::kMenuGuide));
    guideItem->command = picked;
    homeItem = new SubMenu(helpMenu, texts.Text(TextIds::kMenuHome));
    homeItem->command = picked;
    // Options stands between File and ?, its items numbered after those of the older menus.
    optionsMenu = new OptionsMenu(menuBar, picked, texts);
    // Full table... heads File, numbered after every older item so that theirs stay as they were.
    fullTableItem = new SubMenu(fileMenu, texts.Text(TextIds::kMenuFullTable));
    fullTableItem->command = picked;
    auto& items = fileMenu->children;
    items.erase(std::remove(items.begin(), items.end(), fullTableItem), items.end());
    items.insert(items.begin(), fullTableItem);
    // Play online... after it, numbered after it for the same reason.
    onlineItem = new SubMenu(fileMenu, texts.Text(TextIds::kMenuPlayOnline));
    onlineItem->command = picked;
    items.erase(std::remove(items.begin(), items.end(), onlineItem), items.end());
    items.insert(items.begin() + 1, onlineItem);
    auto& menus = menuBar->children;
    menus.erase(std::remove(menus.begin(), menus.end(), helpMenu), menus.end());
    menus.push_back(helpMenu);
    menuBar->Create();
}

// Each place's window is made where the table's reset puts it, so that the reset finds
// nothing to move while the table is built.
void ClassicTableLayout::BuildCardPlaces() {
    for (CardRow row : {CardRow::Dealer, CardRow::Player}) {
        auto& places = row == CardRow::Dealer ? dealerCardImages : playerCardImages;
        for (int i = 0; i < kCardPlaces; ++i) {
            places[i] = new Image(form, kCardBackPicture);
            places[i]->framedInContrast = true;  // a card stands out from any window colour
            places[i]->SetSize(kCardWidth, kCardHeight);
            places[i]->MoveTo(CardPlaceX(i), CardPlaceY(row));
            places[i]->Create();
        }
    }
}

CellControl* ClassicTableLayout::MakeCell(int x, int y, int cellWidth, int cellHeight, FontSpec* cellFont,
                                          COLORREF color, const std::string& cellText) {
    auto* cell = new CellControl(form);
    cell->SetSize(cellWidth, cellHeight);
    cell->MoveTo(x, y);
    cell->SetBackColor(form->backColor);
    cell->textColor = color;
    cell->font = cellFont;
    cell->SetTextUtf8(cellText);
    return cell;
}

void ClassicTableLayout::BuildHandCells(const TextSource& texts) {
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
        *c.field = MakeCell(c.x, c.y, c.cellWidth, 28, largeFont, kTableYellow, c.text);
        (*c.field)->textAlign = kTextLeft;
        (*c.field)->Create();
    }
}

void ClassicTableLayout::BuildSideCells(const TextSource& texts, const std::string& remaining) {
    const int W = form->width;
    remainingCaptionCell =
        MakeCell(W - 105, 200, 100, 55, formFont, kTableWhite, texts.Text(TextIds::kCaptionRemaining));
    remainingCaptionCell->Create();
    remainingCell = MakeCell(W - 105, 256, 100, 55, largeFont, kTableYellow, remaining);
    remainingCell->Create();
    messageCell = MakeCell(60, 385, W - 120, 35, largeFont, kTableWhite, "");
    messageCell->linesCentred = true;  // a hint's two lines
    messageCell->Create();
}

void ClassicTableLayout::BuildScoreCells(const TextSource& texts) {
    const int left = (form->width - 430) / 2;
    scoreCaptionCell = new CellControl(form);
    scoreCaptionCell->SetSize(90, 22);
    scoreCaptionCell->MoveTo(left + 220, 25);
    scoreCaptionCell->SetBackColor(form->backColor);
    scoreCaptionCell->textColor = kTableWhite;
    scoreCaptionCell->font = formFont;
    scoreCaptionCell->textAlign = kTextLeft;
    scoreCaptionCell->SetTextUtf8(texts.Text(TextIds::kCaptionScore));
    scoreCaptionCell->Create();

    // The score stands out: black on the system's button face, inside a border.
    scoreCell = new CellControl(form);
    scoreCell->SetSize(80, 22);
    scoreCell->MoveTo(left + 310, 25);
    scoreCell->textColor = kTableBlack;
    scoreCell->font = formFont;
    scoreCell->SetTextNarrow("0");
    scoreCell->border = true;
    scoreCell->Create();
}

Button* ClassicTableLayout::MakeButton(const std::string& caption, int x, int y, bool bottomRow,
                                       bool startEnabled) {
    auto* button = new Button(form, std::string());
    button->SetTextUtf8(caption);
    button->SetSize(kButtonWidth, kButtonHeight);
    button->MoveTo(x, y);
    button->command = buttonPressed;
    if (bottomRow) button->SetHandCursor(true);
    button->ownerDrawn = true;
    if (!startEnabled) button->SetEnabled(false);
    button->Create();
    return button;
}

void ClassicTableLayout::BuildPlayButtons(const TextSource& texts) {
    const int left = (form->width - 540) / 2;
    const int y = form->height - 45;
    startButton = MakeButton(texts.Text(TextIds::kButtonStart), left, y, true, true);
    stopButton = MakeButton(texts.Text(TextIds::kButtonStop), left + 110, y, true, false);
    getCardButton = MakeButton(texts.Text(TextIds::kButtonGetCard), left + 220, y, true, false);
    stakeButton = MakeButton(texts.Text(TextIds::kButtonStake), left + 330, y, true, false);
}

void ClassicTableLayout::BuildStakeSlider(void (*stakeMoved)(GUIElement*, int)) {
    stakeSlider = new Slider(form);
    stakeSlider->SetSize(kButtonWidth, kButtonHeight);
    stakeSlider->MoveTo((form->width - 540) / 2 + 440, form->height - 45);
    stakeSlider->showLabels = false;
    stakeSlider->ValueChanged = stakeMoved;
    stakeSlider->Create();
}

// The timer is made with the table but runs only while the dealer plays: an idle table
// wakes nobody up.
void ClassicTableLayout::MakeDealTimer(void (*dealerTick)(Timer*)) {
    dealTimer = new Timer(form, 30);
    dealTimer->Tick = dealerTick;
    dealTimer->Create();
}

void ClassicTableLayout::ShowTexts(const TextSource& texts) {
    const std::pair<Menu*, unsigned> menus[] = {{fileMenu, TextIds::kMenuFile},
                                                {helpMenu, TextIds::kMenuHelp}};
    for (const auto& menu : menus)
        if (menu.first != nullptr) menu.first->SetCaption(texts.Text(menu.second));
    const std::pair<SubMenu*, unsigned> items[] = {{fullTableItem, TextIds::kMenuFullTable},
                                                   {onlineItem, TextIds::kMenuPlayOnline},
                                                   {exitItem, TextIds::kMenuExit},
                                                   {guideItem, TextIds::kMenuGuide},
                                                   {homeItem, TextIds::kMenuHome}};
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
}

CellControl* ClassicTableLayout::Cell(TableCell cell) const {
    switch (cell) {
        case TableCell::Message: return messageCell;
        case TableCell::DealerPoints: return dealerPointsCell;
        case TableCell::PlayerPoints: return playerPointsCell;
        case TableCell::Remaining: return remainingCell;
        case TableCell::Score: return scoreCell;
    }
    return nullptr;
}

GUIElement* ClassicTableLayout::Control(TableControl control) const {
    switch (control) {
        case TableControl::StartButton: return startButton;
        case TableControl::StopButton: return stopButton;
        case TableControl::GetCardButton: return getCardButton;
        case TableControl::StakeButton: return stakeButton;
        case TableControl::StakeSlider: return stakeSlider;
    }
    return nullptr;
}

Image* ClassicTableLayout::CardPlace(CardRow row, int index) const {
    return (row == CardRow::Dealer ? dealerCardImages : playerCardImages)[index];
}

}  // namespace DoDadu
