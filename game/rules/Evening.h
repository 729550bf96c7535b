#pragma once
#include "ComputerPlayer.h"
#include "EveningStore.h"
#include "HouseRules.h"
#include "RandomSource.h"
#include "StoredEvening.h"
#include "TableDeck.h"
#include "TableEvent.h"
#include "FullTableRound.h"
#include "TableSeat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace DoDadu {

// An evening at the full table: the seats and their chips, the bank passing round, one
// deck for every round. Driven one step at a time: StartRound, then for the one to act
// SetStake, GetCard and Stand (a person) or ComputerStep (a computer), until the round
// is over; every moment goes to the listener.
//
// After each round the bank passes to the next seat in turn order that can play, when:
// a seat's two-card 7.5 takes the bank (the rules say so; that seat becomes the bank);
// the bank could not pay in full, or is left below the minimum stake; the deck was used
// up in the round (see TableDeck) and the rules pass then; the bank has held it for
// passEvery rounds and the rules pass then. The classic table's bank never passes.
// A seat can play while it has at least the minimum stake; the evening is over when
// fewer than two can.
class Evening {
public:
    // seats: kMinSeats to kMaxSeats; firstBank: the seat that holds the bank first.
    // Check them with SeatingFault first. The first deck is shuffled from random.
    Evening(const HouseRules& rules, std::vector<TableSeat> seats, int firstBank, CardRandom& random);
    Evening(const Evening&) = delete;
    Evening& operator=(const Evening&) = delete;

    // Why these seats cannot sit at a table with these rules (empty when they can): the
    // number of seats, the bank, the rules, a computer style with no player (players may
    // be null, then no computer seat is checked), the classic table's two seats and
    // computer bank.
    static std::string SeatingFault(const HouseRules& rules, const std::vector<TableSeat>& seats,
                                    int firstBank, const PlayerTable* players);

    void SetPlayers(const PlayerTable* players);
    void SetListener(TableListener* listener);
    // The evening is saved to the store after every finished round.
    void SetStore(EveningStore* store) { saveTo = store; }

    // A new round: false when one is in play or the evening is over.
    bool StartRound();
    // A person's steps in the round in play (see FullTableRound): false when there is none
    // to take or a computer is to act.
    bool SetStake(int stake);
    bool GetCard();
    bool Stand();
    bool ComputerStep();
    // A whole round of computer seats: false when it cannot start or a person is to act.
    bool PlayRound();

    bool Over() const;
    bool RoundInPlay() const { return round.InPlay(); }
    int ToAct() const { return round.ToAct(); }
    bool ComputerToAct() const { return round.ComputerToAct(); }
    bool BankTurn() const { return round.BankTurn(); }
    int Bank() const { return bank; }
    int RoundsPlayed() const { return rounds; }
    int BankRounds() const { return bankRounds; }
    const HouseRules& Rules() const { return rules; }
    const std::vector<TableSeat>& Seats() const { return seats; }
    const FullTableRound& ThisRound() const { return round; }
    const TableDeck& Deck() const { return deck; }
    // The deck is open to callers that set up a table (tests, simulations).
    TableDeck& DeckToSetUp() { return deck; }
    bool CanPlay(int seat) const;
    std::int64_t TotalChips() const;
    std::int64_t StartingTotal() const { return startTotal; }

    // The evening as named texts (see EveningText.cpp), between rounds only; and back. A
    // damaged or hostile store reads false and leaves this evening as it was.
    void Save(EveningStore& store);
    bool Load(EveningStore& store);
    // What the store keeps of the evening; and this evening made that one, between rounds
    // only, when it can be played on (false, and nothing changes, when it cannot).
    StoredEvening Stored() const;
    bool Restore(const StoredEvening& stored);

private:
    bool AfterStep(bool stepped);
    void FinishRound();
    PassReason WhyBankPasses() const;
    int NextPlayingSeat(int from, bool inclusive) const;
    void Tell(TableMoment moment, int seat, PassReason reason = PassReason::None);

    HouseRules rules;
    std::vector<TableSeat> seats;
    TableDeck deck;
    FullTableRound round;
    const PlayerTable* players = nullptr;
    TableListener* listener = nullptr;
    EveningStore* saveTo = nullptr;
    int bank = 0;
    int rounds = 0;
    int bankRounds = 0;     // rounds held by the bank since it last passed
    bool wildSeen = false;  // the wild card lay in a hand of the last round
    std::int64_t startTotal = 0;
    std::uint64_t saves = 0;  // the evening's saves so far; each goes to the other slot
};

}  // namespace DoDadu
