#pragma once
#include <chrono>
#include <deque>
#include <string>
#include <unordered_map>

namespace DoDadu {

// Failed joins and resumes by address: after kMostFailures within kWindow, the address
// is refused until its oldest failure is kWindow old.
class JoinLimiter {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kMostFailures = 10;
    static constexpr std::chrono::minutes kWindow{10};

    // Seconds to wait, or 0 when the address may try.
    int WaitFor(const std::string& address, Clock::time_point now);
    void Failed(const std::string& address, Clock::time_point now);
    // Forgets addresses whose failures are all older than kWindow.
    void Prune(Clock::time_point now);

private:
    std::unordered_map<std::string, std::deque<Clock::time_point>> failures;
};

}  // namespace DoDadu
