#pragma once
#include <cstdint>

namespace DoDadu {

// What happened at the full table, one moment at a time, in the order it happened.
enum class TableMoment {
    RoundStarts,      // seat: the bank
    SitsOut,          // seat: below the minimum stake, no card this round
    DeckShuffled,     // the deck ran out: the cards not on the table make a new one
    CardDealt,        // seat, card; covered: the first card, seen by its seat alone
    TurnStarts,       // seat: its turn (the bank's turn too)
    StakeSet,         // seat, amount
    SeatShowsBest,    // seat, points: its 7.5; card: its covered card, turned up at once
    BankCannotCover,  // seat: the bank cannot cover the minimum stake; it sits this round out
    SeatStands,       // seat, points
    SeatBusts,        // seat, points; amount: paid to the bank at once; card: its covered card
    BankTurnsCard,    // seat: the bank, card, points
    BankStands,       // points
    BankBusts,        // points
    SeatWins,         // seat, amount: paid by the bank (less when the bank ran short)
    SeatLoses,        // seat, amount; points equal to the bank's is a tie, lost as well
    BankRunsShort,    // seat: the first winner the bank could not pay in full
    BankPasses,       // seat: the new bank; reason
    RoundEnds,
    EveningEnds  // fewer than two seats can play
};

// Why the bank passed.
enum class PassReason {
    None,
    TwoCardBest,  // seat: the seat whose two-card 7.5 takes the bank (the new bank)
    DeckUsedUp,
    EveryRounds,
    BankShort,  // the bank could not pay in full
    BankOut     // the bank is left below the minimum stake
};

struct TableEvent {
    TableMoment moment = TableMoment::RoundEnds;
    int seat = -1;
    int card = 0;
    bool covered = false;
    double points = 0.0;
    std::int64_t amount = 0;
    PassReason reason = PassReason::None;
};

// Told every moment of the table as it happens (a window shows it; tests record it).
class TableListener {
public:
    virtual ~TableListener() = default;
    virtual void OnTableEvent(const TableEvent& event) = 0;
};

}  // namespace DoDadu
