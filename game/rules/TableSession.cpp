#include "TableSession.h"

namespace DoDadu {

int TableSession::PersonsHere() const {
    int persons = 0;
    for (int seat = 0; seat < static_cast<int>(Seats().size()); ++seat) persons += PlayedHere(seat) ? 1 : 0;
    return persons;
}

bool TableSession::SeatFree(int seat) const {
    if (!Gathering() || seat < 0 || seat >= static_cast<int>(Seats().size())) return false;
    const TableSeat& sitting = Seats()[static_cast<std::size_t>(seat)];
    return sitting.kind == SeatKind::Person && sitting.name.empty();
}

std::vector<int> TableSession::FreeSeats() const {
    std::vector<int> free;
    for (int seat = 0; seat < static_cast<int>(Seats().size()); ++seat)
        if (SeatFree(seat)) free.push_back(seat);
    return free;
}

}  // namespace DoDadu
