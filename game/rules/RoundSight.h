#pragma once
#include "HouseRules.h"
#include "TableSeat.h"

#include <cstdint>
#include <vector>

namespace DoDadu {

// Where a seat stands in the round.
enum class SeatStatus {
    SitsOut,  // no card this round: below the minimum stake
    Waiting,  // holds its covered card, its turn still to come
    Playing,  // its turn (the bank's too, in the bank's turn)
    Standing,
    Bust  // over 7.5: paid the bank at once and showed its covered card
};

// One card of this round, in dealing order, as the one who looks sees it.
struct DealtCard {
    int seat = 0;
    int card = 0;  // 0: covered to the one who looks
};

// One seat of the table as the one who looks sees it.
struct SeenSeat {
    std::vector<int> cards;  // in dealing order, [0] the covered card; 0 where unseen
    int stake = 0;           // 0 until set, and for the bank
    SeatStatus status = SeatStatus::SitsOut;
    std::int64_t chips = 0;
    SeatKind kind = SeatKind::Computer;  // everyone at the table knows who plays how
    PlayStyle style = PlayStyle::Careful;
};

// What one player can see during a round at the full table, and nothing else: never
// another seat's covered card before it is shown, nor the order of the deck.
//
// One deck serves the evening. Every card of a finished round is shown (a standing
// seat's covered card at the settlement, the bank's when it turns it) and then thrown
// away. When the deck runs out during a round, every card not on the table is shuffled
// into a new one; the cards on the table are thrown away when the round ends.
struct RoundSight {
    HouseRules rules;
    int self = 0;  // the seat that looks
    int bank = 0;
    std::vector<SeenSeat> seats;   // every seat, the bank included, by seat index
    std::vector<DealtCard> dealt;  // this round's cards in dealing order
    // -1 while the deck has not run out in this round; else how many of `dealt` came from
    // the old deck: the new one then holds every card but those.
    int dealtBeforeRefill = -1;
    // The cards known to be missing from the deck when this round began: those dealt from
    // it in earlier rounds, and those that lay on the table when it was shuffled. At the
    // start of a round the deck holds exactly the other 40 - seenBefore.size() cards.
    std::vector<int> seenBefore;
    int deckLeft = 0;  // cards in the deck now

    // The looker's own cards, all known to it.
    const std::vector<int>& Hand() const { return seats[static_cast<std::size_t>(self)].cards; }
};

// A seat in its turn: self is the seat; its stake is set once Hand() holds the covered
// card only.
struct SeatSight : RoundSight {};

// The bank in its turn: self == bank; the standing seats show their face-up cards.
struct BankSight : RoundSight {};

}  // namespace DoDadu
