// The online seat kept for the next run, in the per-user settings store (application
// "Zandro", section "Online"): the table's invitation and the seat's resume token, so that
// a restarted game rejoins by itself; the last server and name, to fill the boxes. The
// online evening is kept apart from the local one ("Table"). A damaged token reads as none.
#pragma once
#include <string>

namespace DoDadu {

struct OnlineSeat {
    std::string invitation;  // the table's, while a seat is held
    std::string token;       // 32 hexadecimal digits, or empty
    std::string server;      // the last server used, as typed
    std::string name;        // the last name used
};

OnlineSeat ReadOnlineSeat();
// Whether a seat is kept, as ReadOnlineSeat would find it, reading no more than it needs:
// the game asks at every start.
bool HoldsOnlineSeat();
void WriteOnlineSeat(const OnlineSeat& seat);

}  // namespace DoDadu
