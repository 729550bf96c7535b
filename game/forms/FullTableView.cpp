#include "FullTableView.h"

#include "Cards.h"
#include "TableColours.h"

#include "AccessibleElement.h"
#include "ScreenReaderNotice.h"

namespace DoDadu {

using namespace NeloUtility;

namespace {
const std::size_t kPlaceNames = 3 + kHandCards;  // name, chips, state, then the cards
}  // namespace

FullTableView::FullTableView(FullTableLayout& layout, FullTableNarrator& tableNarrator)
    : table(layout), narrator(tableNarrator) {}

void FullTableView::Watch(const TableSession* watched) {
    evening = watched;
    revealed = -1;
    names.assign(kSeatPlaces, std::vector<std::string>(kPlaceNames));
    const int count = evening != nullptr ? static_cast<int>(evening->Seats().size()) : 0;
    // An evening watched in the middle of a round (one taken back from a server) shows its cards.
    dealt = false;
    for (int seat = 0; seat < count; ++seat) dealt = dealt || !evening->InRound(seat).hand.empty();
    table.Arrange(count);
    ShowSeats();
}

int FullTableView::Persons() const { return evening != nullptr ? evening->PersonsHere() : 0; }

bool FullTableView::CoveredVisible(int seat) const {
    if (evening == nullptr || seat < 0) return false;
    if (evening->CoveredCardShown(seat) || revealed == seat) return true;
    return evening->PlayedHere(seat) && Persons() == 1;
}

void FullTableView::Reveal(int seat) {
    revealed = seat;
    ShowSeats();
}

void FullTableView::Conceal() {
    if (revealed < 0) return;
    revealed = -1;
    ShowSeats();
}

SeatShown FullTableView::Shown(int seat) const {
    SeatShown shown;
    const TableSeat& sitting = evening->Seats()[static_cast<std::size_t>(seat)];
    shown.name = sitting.name;
    shown.chips = sitting.chips;
    shown.bank = seat == evening->Bank();
    shown.wildCard = evening->Rules().wildCard;
    shown.status = SeatStatus::Waiting;
    shown.gathering = evening->Gathering();
    shown.free = evening->SeatFree(seat);
    shown.kind = sitting.kind;
    shown.style = sitting.style;
    if (shown.free) shown.name = narrator.FreeSeatName(seat);
    if (!dealt) return shown;
    const RoundSeat& play = evening->InRound(seat);
    shown.inTurn = evening->RoundInPlay() && evening->ToAct() == seat;
    shown.status = play.status;
    shown.stake = shown.bank ? 0 : play.stake;
    shown.cards = play.hand;
    const bool roundOver = !evening->RoundInPlay();
    if (!shown.cards.empty() && !roundOver && !CoveredVisible(seat)) shown.cards.front() = 0;
    return shown;
}

// Place k holds the k-th seat from the bank in turn order.
void FullTableView::ShowSeats() {
    if (evening == nullptr) return;
    const int count = static_cast<int>(evening->Seats().size());
    for (int place = 0; place < count && place < kSeatPlaces; ++place)
        ShowPlace(place, Shown((evening->Bank() + place) % count));
}

void FullTableView::SetText(GUIElement& element, const std::string& text) {
    if (element.GetTextUtf8() != text) element.SetTextUtf8(text);
}

// A name is given only when it changes, so that a screen reader hears each change once.
void FullTableView::SetName(GUIElement& element, std::string& known, const std::string& name) {
    if (known == name) return;
    known = name;
    SetAccessibleName(element, name);
}

void FullTableView::ShowPlace(int index, const SeatShown& seat) {
    SeatPlace& place = table.places[static_cast<std::size_t>(index)];
    std::vector<std::string>& known = names[static_cast<std::size_t>(index)];
    SeatShown steady = seat;
    steady.inTurn = false;
    const COLORREF nameColor = seat.inTurn ? kTableYellow : kTableWhite;
    if (place.name->textColor != nameColor) {
        place.name->textColor = nameColor;
        if (place.name->created) InvalidateRect(place.name->window, nullptr, TRUE);
    }
    SetText(*place.name, narrator.NameLine(seat));
    SetName(*place.name, known[0], narrator.SeatName(seat));
    SetText(*place.chips, narrator.ChipsLine(seat));
    SetName(*place.chips, known[1], narrator.SeatName(steady));
    SetText(*place.state, narrator.StateLine(seat));
    SetName(*place.state, known[2], narrator.HandName(seat));
    // A stake lies on the felt while it is at risk: a seat that went over has lost it already.
    const bool staked = evening->RoundInPlay() && seat.status != SeatStatus::Bust;
    table.MarkPlace(index, seat.inTurn, staked ? seat.stake : 0);
    const int count = static_cast<int>(seat.cards.size());
    table.LayHand(index, count);
    for (int i = 0; i < count && i < kHandCards; ++i) {
        Image& card = *place.cards[static_cast<std::size_t>(i)];
        const int id = seat.cards[static_cast<std::size_t>(i)];
        SetName(card, known[3 + static_cast<std::size_t>(i)], narrator.CardPlaceName(seat, i));
        card.SetImage(kCardBackPicture + id);
        if (!card.visible) card.Show();
    }
}

// The first deal, and the end of a revealed turn.
void FullTableView::Track(const TableEvent& event) {
    if (event.moment == TableMoment::RoundStarts) {
        dealt = true;
        revealed = -1;
    }
    const bool turnOver = event.moment == TableMoment::SeatStands || event.moment == TableMoment::SeatBusts ||
                          event.moment == TableMoment::RoundEnds;
    if (turnOver && (event.seat == revealed || event.moment == TableMoment::RoundEnds)) revealed = -1;
}

void FullTableView::OnTableEvent(const TableEvent& event) {
    if (evening == nullptr) return;
    Track(event);
    ShowSeats();
    FullTableNarrator::Context context;
    context.bank = evening->Bank();
    const int count = static_cast<int>(evening->Seats().size());
    if (event.seat >= 0 && event.seat < count) {
        context.shownPoints = ShownPoints(Shown(event.seat));
        context.privateTurn = Persons() > 1 && evening->PlayedHere(event.seat);
    }
    // The stake a turn opens with is part of the turn's own sentence.
    const bool openingStake = event.moment == TableMoment::StakeSet && lastMoment == TableMoment::TurnStarts;
    lastMoment = event.moment;
    const std::string sentence =
        openingStake ? std::string() : narrator.Sentence(event, evening->Seats(), context);
    if (sentence.empty()) return;
    ShowMessage(sentence);
    Speak(sentence);
}

void FullTableView::ShowMessage(const std::string& message, bool hint) {
    if (table.messageCell == nullptr) return;
    table.messageCell->font = hint ? table.hintFont : table.messageFont;
    table.messageCell->SetTextUtf8(message);
    SetAccessibleName(*table.messageCell, message);
}

void FullTableView::Speak(const std::string& sentence) const {
    if (table.form != nullptr && ScreenReaderNotice::Available())
        ScreenReaderNotice(*table.form).Speak(sentence);
}

}  // namespace DoDadu
