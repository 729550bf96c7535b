// The evening behind the full table's window, as one screen meets it: what the seats
// played from this screen see, what they may ask, and the moments they are told. A local
// evening stands behind it (LocalTableSession), and so does one held by a server; the
// window never knows which.
#pragma once
#include "FullTableRound.h"
#include "HouseRules.h"
#include "RoundSight.h"
#include "TableEvent.h"
#include "TableSeat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace DoDadu {

class TableSession {
public:
    virtual ~TableSession() = default;

    // What the screen sees.
    virtual const HouseRules& Rules() const = 0;
    virtual const std::vector<TableSeat>& Seats() const = 0;
    virtual int Bank() const = 0;
    virtual bool RoundInPlay() const = 0;
    // The seat in turn (the bank in its own turn); -1 when no round is in play.
    virtual int ToAct() const = 0;
    virtual bool BankTurn() const = 0;
    virtual bool Over() const = 0;
    virtual int RoundsPlayed() const = 0;
    // A seat's part in the round in play, or in the last one: a card this screen has not
    // been shown is 0.
    virtual const RoundSeat& InRound(int seat) const = 0;
    // The seat is a person playing from this screen.
    virtual bool PlayedHere(int seat) const = 0;
    // The seat's covered card is face up for everyone at this screen: the round has shown
    // it to the whole table (or, at a table held elsewhere, to this screen's seat).
    virtual bool CoveredCardShown(int seat) const = 0;
    // What the bank can still cover of the seat's stake (kMostStake where nothing holds it).
    virtual std::int64_t CoverLeft(int seat) const = 0;
    // The table answers now (false while a link to it is down): the controls wait.
    virtual bool Answering() const { return true; }
    // What a seat in its turn, or the bank in its own, sees: for the hint.
    virtual SeatSight SightOf(int seat) const = 0;
    virtual BankSight SightOfBank() const = 0;

    // What the person in turn may ask: false when it cannot be asked now. A table held
    // elsewhere answers later, through the moments it tells.
    // A round can be started from this screen now.
    virtual bool MayStartRound() const { return Answering() && !RoundInPlay() && !Over(); }
    virtual bool StartRound() = 0;
    virtual bool SetStake(int stake) = 0;
    virtual bool GetCard() = 0;
    virtual bool Stand() = 0;
    // A computer seat is to act and this screen paces it, one decision at a time.
    virtual bool ComputerDue() const = 0;
    virtual bool ComputerStep() = 0;

    // Every moment of the table from now on.
    virtual void SetListener(TableListener* listener) = 0;

    // Before the evening starts, a table held elsewhere gathers its persons: a person seat
    // nobody has taken yet has no name. Whoever set the table up may give such a seat to a
    // computer player of a style, by the name given.
    virtual bool Gathering() const { return false; }
    virtual bool MayGiveSeat(int) const { return false; }
    virtual bool GiveToComputer(int, PlayStyle, const std::string&) { return false; }

    // Seats played from this screen.
    int PersonsHere() const;
    // A person seat still waiting for its person.
    bool SeatFree(int seat) const;
    // The free person seats, in turn order.
    std::vector<int> FreeSeats() const;
};

}  // namespace DoDadu
