// The full table's elements and where they stand: the menu bar, the felt with its rim, a
// place on it for each seat (its name, chips, cards and state, and its stake as a pile of
// chips) with the bank's at the top and the others round the table in turn order, and
// below the felt the message line and the classic table's own controls, on a layout of
// 1040 x 680 units that the form scales to its window as a whole.
#pragma once

#include "GameTexts.h"

#include "Button.h"
#include "CellControl.h"
#include "ChoiceBox.h"
#include "Form.h"
#include "Image.h"
#include "Menu.h"
#include "Slider.h"
#include "Timer.h"

#include <array>
#include <string>
#include <vector>

namespace DoDadu {

constexpr int kFullTableWidth = 1040;
constexpr int kFullTableHeight = 680;
// The window opens with the table a fifth larger than its layout where the screen has room
// for it, its cards larger than the classic table's.
constexpr int kFullTableOpenWidth = kFullTableWidth * 6 / 5;
constexpr int kFullTableOpenHeight = kFullTableHeight * 6 / 5;
constexpr int kFullTableLeastWidth = 800;
constexpr int kFullTableLeastHeight = 560;

// The felt, in layout units: its outer edge with the rim, the rim's width, and the size of
// the ellipses its outer corners are rounded by.
constexpr RECT kFeltEdge{12, 10, 1028, 578};
constexpr int kFeltRim = 18;
constexpr SIZE kFeltCorner{260, 220};
// A place's size, and the margin round it that shows the seat in turn.
constexpr int kPlaceWidth = 300;
constexpr int kPlaceHeight = 174;
constexpr int kTurnGlow = 6;

// Places around the table: the bank's and up to five more.
constexpr int kSeatPlaces = 6;
// Cards a hand can hold at most: four aces and seven figures make 7.5, and one more goes over.
constexpr int kHandCards = 12;

// One seat's place at the table: its name, its chips (and the bank's mark), its cards in
// dealing order, its state line (points, state, stake), and what the felt shows under it.
struct SeatPlace {
    NeloUtility::CellControl* name = nullptr;
    NeloUtility::CellControl* chips = nullptr;
    NeloUtility::CellControl* state = nullptr;
    std::array<NeloUtility::Image*, kHandCards> cards{};
    int left = 0;  // where the place stands, in layout units
    int top = 0;
    bool used = false;
    bool inTurn = false;  // framed in light on the felt
    int stake = 0;        // piled in chips beside the cards
    int handLeft = 0;     // the cards laid, from the place's left, in layout units
    int handWidth = 0;
};

// Where the places of a table of this many seats stand (their top-left corners, in layout
// units): the bank's at the top in the middle, then the others from the bank's right hand
// (the left of the screen) round the table to its left hand.
std::vector<POINT> PlacesAround(int seatCount);
// The area of a place at that corner.
RECT PlaceArea(POINT corner);
// Where a place's stake is piled: beside its cards, the two centred in the place together.
RECT PileArea(const SeatPlace& place);
// An invitation in the lines the felt's middle shows it in: the address, then its
// fingerprint, each cut evenly where it is too long for a line.
std::string InvitationLines(const std::string& invitation);

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
    // A hand of this many cards laid out in the middle of its place (beside its stake's pile
    // but for the bank's): side by side while they fit, overlapping evenly beyond.
    void LayHand(int place, int cardCount);
    // Whether the seat of a place is in turn, and its stake: the place's cells and the felt
    // under it painted again when either changed.
    void MarkPlace(int place, bool inTurn, int stake);
    // Every fixed caption again, in the language of the texts as it is now.
    void ShowTexts(const TextSource& texts);
    // Before an evening held elsewhere starts, the round's controls give way to the
    // table's invitation, in the felt's middle with a button that copies it, and to the
    // choice of a free seat to give to a computer player (for whoever set the table up).
    void ShowGathering(bool gathering, bool giving, const std::string& invitation);
    // Whether the felt's middle shows the invitation instead of its mark.
    bool ShowsInvitation() const { return invitationCell != nullptr && invitationCell->visible; }

    NeloUtility::Form* form = nullptr;

    NeloUtility::FontSpec* formFont = nullptr;        // the form's own, apart from its children's
    NeloUtility::FontSpec* buttonFont = nullptr;      // "Lucida Console" 14, as on the classic table
    NeloUtility::FontSpec* nameFont = nullptr;        // a seat's name
    NeloUtility::FontSpec* seatFont = nullptr;        // chips and state lines
    NeloUtility::FontSpec* messageFont = nullptr;     // the message line
    NeloUtility::FontSpec* hintFont = nullptr;        // two lines of a hint fit the message line
    NeloUtility::FontSpec* invitationFont = nullptr;  // its letters and digits evenly spaced

    NeloUtility::MenuBar* menuBar = nullptr;
    NeloUtility::Menu* tableMenu = nullptr;
    NeloUtility::SubMenu* newEveningItem = nullptr;
    NeloUtility::Menu* optionsMenu = nullptr;
    NeloUtility::SubMenu* hintItem = nullptr;

    std::array<SeatPlace, kSeatPlaces> places{};
    NeloUtility::CellControl* messageCell = nullptr;
    NeloUtility::CellControl* invitationCell = nullptr;  // in lines that fit the felt's middle
    NeloUtility::Button* startButton = nullptr;
    NeloUtility::Button* copyInvitationButton = nullptr;
    NeloUtility::Button* stopButton = nullptr;
    NeloUtility::Button* getCardButton = nullptr;
    NeloUtility::Button* stakeButton = nullptr;
    NeloUtility::Slider* stakeSlider = nullptr;
    NeloUtility::Button* showCardButton = nullptr;
    NeloUtility::ChoiceBox* freeSeatChoice = nullptr;  // the free seats, by name ("Seat 2")
    NeloUtility::ChoiceBox* styleChoice = nullptr;     // careful, bold, expert
    NeloUtility::Button* giveSeatButton = nullptr;
    NeloUtility::Timer* paceTimer = nullptr;

private:
    void BuildMenuBar(const TextSource& texts, NeloUtility::NotifyEvent picked);
    void BuildPlace(SeatPlace& place);
    void BuildControls(const TextSource& texts, const FullTableEvents& events);
    void BuildGiving(const TextSource& texts);
    void ShowInvitation(const std::string& invitation);
    void CentreRow(const std::vector<NeloUtility::GUIElement*>& row);
    NeloUtility::ChoiceBox* MakeChoice(int x, int choiceWidth, const std::string& name,
                                       const std::vector<std::string>& choices);
    void MovePlace(SeatPlace& place, int left, int top);
    void RepaintFelt(const SeatPlace& place);
    NeloUtility::CellControl* MakeCell(NeloUtility::FontSpec* cellFont, COLORREF color, int cellWidth,
                                       int cellHeight);
    NeloUtility::Button* MakeButton(const std::string& caption, int x, int buttonWidth, bool startEnabled);

    NeloUtility::NotifyEvent buttonPressed = nullptr;
};

}  // namespace DoDadu
