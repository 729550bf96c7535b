// An evening in this computer's memory behind the full table's window: every person seat
// is played from this screen, and the screen paces the computer seats.
#pragma once
#include "Evening.h"
#include "TableSession.h"

namespace DoDadu {

class LocalTableSession : public TableSession {
public:
    explicit LocalTableSession(Evening& played) : evening(played) {}

    const HouseRules& Rules() const override { return evening.Rules(); }
    const std::vector<TableSeat>& Seats() const override { return evening.Seats(); }
    int Bank() const override { return evening.Bank(); }
    bool RoundInPlay() const override { return evening.RoundInPlay(); }
    int ToAct() const override { return evening.ToAct(); }
    bool BankTurn() const override { return evening.BankTurn(); }
    bool Over() const override { return evening.Over(); }
    int RoundsPlayed() const override { return evening.RoundsPlayed(); }
    const RoundSeat& InRound(int seat) const override { return evening.ThisRound().Seat(seat); }
    bool PlayedHere(int seat) const override;
    bool CoveredCardShown(int seat) const override {
        return !evening.ThisRound().CoveredTo(seat, FullTableRound::kEveryone);
    }
    std::int64_t CoverLeft(int seat) const override { return evening.ThisRound().CoverLeft(seat); }
    SeatSight SightOf(int seat) const override { return evening.ThisRound().SightOf(seat); }
    BankSight SightOfBank() const override { return evening.ThisRound().SightOfBank(); }

    bool StartRound() override { return evening.StartRound(); }
    bool SetStake(int stake) override { return evening.SetStake(stake); }
    bool GetCard() override { return evening.GetCard(); }
    bool Stand() override { return evening.Stand(); }
    bool ComputerDue() const override;
    bool ComputerStep() override { return evening.ComputerStep(); }

    void SetListener(TableListener* listener) override { evening.SetListener(listener); }

private:
    Evening& evening;
};

}  // namespace DoDadu
