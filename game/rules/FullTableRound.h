#pragma once
#include "ComputerPlayer.h"
#include "HouseRules.h"
#include "RoundSight.h"
#include "TableDeck.h"
#include "TableEvent.h"
#include "TableSeat.h"

#include <vector>

namespace DoDadu {

// One seat's part in the round in play.
struct RoundSeat {
    std::vector<int> hand;  // [0] the covered card
    int stake = 0;
    SeatStatus status = SeatStatus::SitsOut;
    bool stakeFixed = false;  // fixed by the seat's first card or its stand
    bool stakeAsked = false;  // a computer seat has chosen its stake
    bool shown = false;       // its covered card turned up by its 7.5
};

// One round at the full table, in the traditional order. The bank deals a covered card
// to itself and then to every seat that can play, in turn order from the seat after
// it. Each seat in turn sets its stake (within what the bank can cover, where the rules
// say so), draws face-up cards or stands; over 7.5 it pays the bank at once. Then the
// bank turns its card and plays, and every standing seat is settled as the rules say
// (HouseRules::Settlement): above the bank it wins its stake, or twice over for the 7.5
// the rules pay double; level or below it loses it; a bank over 7.5 pays every standing
// seat. The bank first collects from the losers, then pays the winners in turn order as
// far as its chips go.
//
// A seat at 7.5 stands by itself and turns its covered card up at once (but at the
// classic table), and the bank stands at 7.5. The bank plays only while a seat stands;
// with none it only turns its card. Chips move only between seats.
class FullTableRound {
public:
    FullTableRound(const HouseRules& rules, std::vector<TableSeat>& seats, TableDeck& deck);
    void SetPlayers(const PlayerTable* table) { players = table; }
    void SetListener(TableListener* to) { listener = to; }

    // No round: every seat without cards (as before the first deal; after the seats change).
    void Clear();
    // Deals and opens the first seat's turn. Seats below the minimum stake sit out.
    void Deal(int bankSeat);
    bool InPlay() const { return inPlay; }
    // The seat in turn (the bank in its turn); -1 when the round is over.
    int ToAct() const;
    bool BankTurn() const { return inPlay && bankTurn; }
    // The one to act is played by the computer (the classic table's bank always is).
    bool ComputerToAct() const;

    // The seat in turn, before its first card or stand: a stake within the rules and its
    // chips, nearest to the wish. False out of turn, for the bank, or once fixed.
    bool SetStake(int stake);
    // The one to act (a seat, or the bank in its turn) takes a card, or stands.
    bool GetCard();
    bool Stand();
    // One decision of the computer to act: a seat's stake and its next card or stand, or
    // the bank's next card or stand. False when a person is to act or none.
    bool ComputerStep();

    int Bank() const { return bank; }
    // seat: from 0 to the number of seats less one.
    const RoundSeat& Seat(int seat) const { return play[static_cast<std::size_t>(seat)]; }
    double Points(int seat) const;
    // The most the seat may stake now: the rules' maximum, its chips, and what the bank
    // can still cover (CoverLeft).
    std::int64_t StakeTop(int seat) const;
    // What the bank can still cover of this seat's stake, the stakes of the standing seats
    // before it in turn order counted at the most they could win; kMostStake without the
    // cover.
    std::int64_t CoverLeft(int seat) const;

    // What a seat sees now (the bank looks with SightOfBank). The one place that says
    // which covered card a looker may see: CoveredTo.
    SeatSight SightOf(int seat) const;
    BankSight SightOfBank() const;
    // The seat's first card is covered to the looker: to all but its owner until it
    // busts, shows a 7.5 or the round ends; the bank's until it turns it. A looker of
    // kEveryone asks what the whole table may see.
    bool CoveredTo(int seat, int looker) const;
    static constexpr int kEveryone = -1;

    // After the round: the deck ran out in it; the bank could not pay in full; the first
    // seat after the bank in turn order holding a two-card 7.5 (-1 when none); the wild
    // card lay in a hand.
    bool DeckUsedUp() const { return usedUp; }
    bool BankShort() const { return bankShort; }
    int TwoCardSeat() const;
    bool WildCardDealt() const;

private:
    struct Dealt {
        int seat;
        int card;
        bool first;
    };
    void DealTo(int seat, bool covered);
    std::vector<int> CardsOnTable() const;
    int NextSeat(int after) const;
    bool OpenTurn(int seat);
    void CloseTurn();
    void OpenBankTurn();
    void SeatCard(int seat);
    void BankCard();
    void Settle();
    int Result(int seat) const;
    void SettleLoser(int seat);
    void PayWinner(int seat);
    void MoveChips(int from, int to, std::int64_t amount);
    bool SeatWantsCard(int seat);
    bool BankWantsCard();
    bool ClassicDealerDraws() const;
    void FillSight(RoundSight& sight, int looker) const;
    void Tell(TableMoment moment, int seat, double points = 0.0, std::int64_t amount = 0, int card = 0);
    TableSeat& Chips(int seat) { return seats[static_cast<std::size_t>(seat)]; }
    RoundSeat& At(int seat) { return play[static_cast<std::size_t>(seat)]; }

    const HouseRules& rules;
    std::vector<TableSeat>& seats;
    TableDeck& deck;
    const PlayerTable* players = nullptr;
    TableListener* listener = nullptr;

    std::vector<RoundSeat> play;
    std::vector<Dealt> dealt;
    std::vector<int> goneAtStart;
    int dealtBeforeRefill = -1;
    int bank = 0;
    int turn = -1;
    bool inPlay = false;
    bool bankTurn = false;
    bool bankCardShown = false;
    bool usedUp = false;
    bool bankShort = false;
};

}  // namespace DoDadu
