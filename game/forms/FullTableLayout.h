// The full table's elements and where they stand: the menu bar, a place for each seat
// (its name, chips, cards and state) with the bank's at the top and the others around it
// in turn order, the message line, and the classic table's own controls below it, on a
// layout of 960 x 640 units that the form scales to its window as a whole.
#pragma once

#include "GameTexts.h"

#include "Button.h"
#include "CellControl.h"
#include "Form.h"
#include "Image.h"
#include "Menu.h"
#include "Slider.h"
#include "Timer.h"

#include <array>

namespace DoDadu {

constexpr int kFullTableWidth = 960;
constexpr int kFullTableHeight = 640;
constexpr int kFullTableLeastWidth = 800;
constexpr int kFullTableLeastHeight = 560;

// Places around the table: the bank's and up to five more.
constexpr int kSeatPlaces = 6;
// Cards a hand can hold at most: four aces and seven figures make 7.5, and one more goes over.
constexpr int kHandCards = 12;

// One seat's place at the table: its name, its chips (and the bank's mark), its cards in
// dealing order and its state line (points, state, stake).
struct SeatPlace {
    NeloUtility::CellControl* name = nullptr;
    NeloUtility::CellControl* chips = nullptr;
    NeloUtility::CellControl* state = nullptr;
    std::array<NeloUtility::Image*, kHandCards> cards{};
    int left = 0;  // where the place stands, in layout units
    int top = 0;
};

// The functions the table's elements call when they are used.
struct FullTableEvents {
    NeloUtility::NotifyEvent buttonPressed = nullptr;
    NeloUtility::NotifyEvent menuPicked = nullptr;
    void (*stakeMoved)(NeloUtility::GUIElement* slider, int position) = nullptr;
    void (*paceTick)(NeloUtility::Timer* timer) = nullptr;
};

class FullTableLayout {
public:
    FullTableLayout();  // the fonts; the elements come with Build
    ~FullTableLayout();
    FullTableLayout(const FullTableLayout&) = delete;
    FullTableLayout& operator=(const FullTableLayout&) = delete;

    // Every element on the form; the controls are made in tab order.
    void Build(NeloUtility::Form& table, const TextSource& texts, const FullTableEvents& events);
    // The places for a table of this many seats: place 0 the bank's, the others around
    // it; places beyond the count are hidden.
    void Arrange(int seatCount);
    // A hand of this many cards laid out in its place: side by side while they fit,
    // overlapping evenly beyond.
    void LayHand(int place, int cardCount);
    // Every fixed caption again, in the language of the texts as it is now.
    void ShowTexts(const TextSource& texts);

    NeloUtility::Form* form = nullptr;

    NeloUtility::FontSpec* formFont = nullptr;     // the form's own, apart from its children's
    NeloUtility::FontSpec* buttonFont = nullptr;   // "Lucida Console" 14, as on the classic table
    NeloUtility::FontSpec* nameFont = nullptr;     // a seat's name
    NeloUtility::FontSpec* seatFont = nullptr;     // chips and state lines
    NeloUtility::FontSpec* messageFont = nullptr;  // the message line
    NeloUtility::FontSpec* hintFont = nullptr;     // two lines of a hint fit the message line

    NeloUtility::MenuBar* menuBar = nullptr;
    NeloUtility::Menu* tableMenu = nullptr;
    NeloUtility::SubMenu* newEveningItem = nullptr;
    NeloUtility::Menu* optionsMenu = nullptr;
    NeloUtility::SubMenu* hintItem = nullptr;

    std::array<SeatPlace, kSeatPlaces> places{};
    NeloUtility::CellControl* messageCell = nullptr;
    NeloUtility::Button* startButton = nullptr;
    NeloUtility::Button* stopButton = nullptr;
    NeloUtility::Button* getCardButton = nullptr;
    NeloUtility::Button* stakeButton = nullptr;
    NeloUtility::Slider* stakeSlider = nullptr;
    NeloUtility::Button* showCardButton = nullptr;
    NeloUtility::Timer* paceTimer = nullptr;

private:
    void BuildMenuBar(const TextSource& texts, NeloUtility::NotifyEvent picked);
    void BuildPlace(SeatPlace& place);
    void BuildControls(const TextSource& texts, const FullTableEvents& events);
    void MovePlace(SeatPlace& place, int left, int top);
    NeloUtility::CellControl* MakeCell(NeloUtility::FontSpec* cellFont, COLORREF color, int cellWidth,
                                       int cellHeight);
    NeloUtility::Button* MakeButton(const std::string& caption, int x, int buttonWidth, bool startEnabled);

    NeloUtility::NotifyEvent buttonPressed = nullptr;
};

}  // namespace DoDadu
