#include "LocalTableSession.h"

namespace DoDadu {

bool LocalTableSession::PlayedHere(int seat) const {
    const std::vector<TableSeat>& seats = evening.Seats();
    return seat >= 0 && seat < static_cast<int>(seats.size()) &&
           seats[static_cast<std::size_t>(seat)].kind == SeatKind::Person;
}

bool LocalTableSession::ComputerDue() const {
    return evening.RoundInPlay() && evening.ToAct() >= 0 && !PlayedHere(evening.ToAct());
}

}  // namespace DoDadu
