// The classic table's elements and where they stand: the menu bar, the logo, two rows of
// card places, the captions and value cells, the six buttons, the stake slider and the
// dealer's timer, on a client area of 640 x 480 layout units. The layout makes them, finds
// them by what they mean to the round, and takes them apart again; what they do is the
// form's business.
#pragma once

#include "GameTexts.h"
#include "OptionsMenu.h"
#include "ClassicTableView.h"

#include "Button.h"
#include "CellControl.h"
#include "Form.h"
#include "Image.h"
#include "Menu.h"
#include "Slider.h"
#include "Timer.h"

#include <array>
#include <string>

namespace DoDadu {

// The table's client area in layout units.
constexpr int kTableWidth = 640;
constexpr int kTableHeight = 480;

// The functions the table's elements call when they are used.
struct TableEvents {
    NeloUtility::NotifyEvent buttonPressed = nullptr;
    NeloUtility::NotifyEvent menuPicked = nullptr;
    void (*stakeMoved)(NeloUtility::GUIElement* slider, int position) = nullptr;
    void (*dealerTick)(NeloUtility::Timer* timer) = nullptr;
};

class ClassicTableLayout {
public:
    ClassicTableLayout();  // the fonts; the elements come with Build
    ~ClassicTableLayout();
    ClassicTableLayout(const ClassicTableLayout&) = delete;
    ClassicTableLayout& operator=(const ClassicTableLayout&) = delete;

    // Every element on the form, each made before the next: the order is also the tab order
    // and the order of the control identifiers. remaining is the deck's count to show.
    void Build(NeloUtility::Form& table, const TextSource& texts, const TableEvents& events,
               const std::string& remaining);
    // Every fixed caption again, in the language of the texts as it is now.
    void ShowTexts(const TextSource& texts);

    NeloUtility::CellControl* Cell(TableCell cell) const;
    NeloUtility::GUIElement* Control(TableControl control) const;
    NeloUtility::Image* CardPlace(CardRow row, int index) const;

    NeloUtility::Form* form = nullptr;  // the table the elements stand on, once built

    NeloUtility::FontSpec* formFont = nullptr;   // "Lucida Console" 14, the form's own font
    NeloUtility::FontSpec* largeFont = nullptr;  // the hands' points, the remaining count, messages
    NeloUtility::FontSpec* hintFont = nullptr;   // two lines of a hint fit the message line

    NeloUtility::MenuBar* menuBar = nullptr;
    NeloUtility::Menu* fileMenu = nullptr;
    NeloUtility::SubMenu* fullTableItem = nullptr;  // greyed while a round runs
    NeloUtility::SubMenu* onlineItem = nullptr;     // the same
    NeloUtility::SubMenu* exitItem = nullptr;
    NeloUtility::Menu* helpMenu = nullptr;
    NeloUtility::SubMenu* homeItem = nullptr;
    NeloUtility::SubMenu* guideItem = nullptr;
    OptionsMenu* optionsMenu = nullptr;

    NeloUtility::Image* logoImage = nullptr;
    std::array<NeloUtility::Image*, kCardPlaces> dealerCardImages{};
    std::array<NeloUtility::Image*, kCardPlaces> playerCardImages{};
    NeloUtility::Button* infoButton = nullptr;
    NeloUtility::Button* exitButton = nullptr;
    NeloUtility::Button* startButton = nullptr;
    NeloUtility::Button* stopButton = nullptr;
    NeloUtility::Button* getCardButton = nullptr;
    NeloUtility::Button* stakeButton = nullptr;
    NeloUtility::Slider* stakeSlider = nullptr;
    NeloUtility::Timer* dealTimer = nullptr;
    NeloUtility::CellControl* messageCell = nullptr;
    NeloUtility::CellControl* scoreCaptionCell = nullptr;
    NeloUtility::CellControl* scoreCell = nullptr;
    NeloUtility::CellControl* playerCaptionCell = nullptr;
    NeloUtility::CellControl* playerPointsCell = nullptr;
    NeloUtility::CellControl* dealerCaptionCell = nullptr;
    NeloUtility::CellControl* dealerPointsCell = nullptr;
    NeloUtility::CellControl* remainingCaptionCell = nullptr;
    NeloUtility::CellControl* remainingCell = nullptr;

private:
    void BuildMenuBar(const TextSource& texts, NeloUtility::NotifyEvent picked);
    void BuildCardPlaces();
    void BuildHandCells(const TextSource& texts);
    void BuildSideCells(const TextSource& texts, const std::string& remaining);
    void BuildScoreCells(const TextSource& texts);
    void BuildPlayButtons(const TextSource& texts);
    void BuildStakeSlider(void (*stakeMoved)(NeloUtility::GUIElement*, int));
    void MakeDealTimer(void (*dealerTick)(NeloUtility::Timer*));

    NeloUtility::CellControl* MakeCell(int x, int y, int cellWidth, int cellHeight,
                                       NeloUtility::FontSpec* cellFont, COLORREF color,
                                       const std::string& cellText);
    NeloUtility::Button* MakeButton(const std::string& caption, int x, int y, bool bottomRow,
                                    bool startEnabled);

    NeloUtility::NotifyEvent buttonPressed = nullptr;
};

}  // namespace DoDadu
