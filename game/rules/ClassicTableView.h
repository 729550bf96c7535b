#pragma once
#include <string>

namespace DoDadu {

// The controls of the table that the round enables, disables or labels. INFO and
// EXIT are always enabled and never touched by the round.
enum class TableControl { StartButton, StopButton, GetCardButton, StakeButton, StakeSlider };

// The text cells that the round writes.
enum class TableCell { Message, DealerPoints, PlayerPoints, Remaining, Score };

// The two rows of eight card places.
enum class CardRow { Dealer, Player };

constexpr int kCardPlaces = 8;  // card places per row; a longer hand is valued, not shown

// Where the card places stand between rounds: the covered card 10 layout units apart from the
// ones after it.
constexpr int CardPlaceX(int index) { return 5 + 63 * index + (index > 0 ? 10 : 0); }
constexpr int CardPlaceY(CardRow row) { return row == CardRow::Dealer ? 110 : 270; }

// What the round needs from the window that shows it. The main form implements it by
// forwarding to its buttons, slider, cells and images; tests record what they are told.
class ClassicTableView {
public:
    virtual ~ClassicTableView() = default;

    virtual void SetCellText(TableCell cell, const std::string& text) = 0;

    // Card places: index 0 to 7 in each row. ShowCard sets the picture (a bitmap
    // resource id) and then makes the place visible.
    virtual void ShowCard(CardRow row, int index, int picture) = 0;
    virtual void HideCard(CardRow row, int index) = 0;
    virtual void MoveCard(CardRow row, int index, int x, int y) = 0;

    virtual void SetEnabled(TableControl control, bool enabled) = 0;
    virtual bool IsEnabled(TableControl control) const = 0;

    // Captions of the START/CANCEL button and of the stake button. The caption of the
    // start button is read back: it says whether a click means START or CANCEL.
    virtual void SetCaption(TableControl control, const std::string& caption) = 0;
    virtual std::string Caption(TableControl control) const = 0;

    // The stake slider: SetStakePosition clamps to its range 1..8, StakePosition reads
    // the position the player has set.
    virtual void SetStakePosition(int position) = 0;
    virtual int StakePosition() = 0;

    // One of the sound resources, played without waiting; a failure is ignored.
    virtual void PlayWave(int resourceId) = 0;

    // A moment of the round in one sentence, for a player who listens rather than looks.
    // The round words its moments only for a view that wants them (a simulation does not).
    virtual bool WantsSentences() const { return false; }
    virtual void Announce(const std::string& sentence) { (void)sentence; }

    // A hint on the message line, where a line break may split it in two; the view may show
    // it smaller than a message. The next message replaces it.
    virtual void ShowHint(const std::string& hint) { SetCellText(TableCell::Message, hint); }
};

}  // namespace DoDadu
