// When a dropped link tries again: at once, then after 1, 2, 4, 8 and 16 seconds, then every
// 30 seconds for as long as the table is open. A link that opens starts the plan afresh.
#pragma once

namespace DoDadu {

class ReconnectPlan {
public:
    // Milliseconds to wait before the next try.
    int NextDelay();
    void Opened() { tries = 0; }
    int Tries() const { return tries; }

private:
    int tries = 0;
};

}  // namespace DoDadu
