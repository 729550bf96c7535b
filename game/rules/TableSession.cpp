#include "TableSession.h"

namespace DoDadu {

int TableSession::PersonsHere() const {
    int persons = 0;
    for (int seat = 0; seat < static_cast<int>(Seats().size()); ++seat) persons += PlayedHere(seat) ? 1 : 0;
    return persons;
}

}  // namespace DoDadu
