#include "JoinLimiter.h"

namespace DoDadu {

int JoinLimiter::WaitFor(const std::string& address, Clock::time_point now) {
    const auto found = failures.find(address);
    if (found == failures.end()) return 0;
    auto& times = found->second;
    while (!times.empty() && now - times.front() >= kWindow) times.pop_front();
    if (static_cast<int>(times.size()) < kMostFailures) return 0;
    const auto left = std::chrono::duration_cast<std::chrono::seconds>(times.front() + kWindow - now);
    return static_cast<int>(left.count()) + 1;
}

void JoinLimiter::Failed(const std::string& address, Clock::time_point now) {
    auto& times = failures[address];
    times.push_back(now);
    while (static_cast<int>(times.size()) > kMostFailures) times.pop_front();
}

void JoinLimiter::Prune(Clock::time_point now) {
    for (auto it = failures.begin(); it != failures.end();) {
        if (it->second.empty() || now - it->second.back() >= kWindow)
            it = failures.erase(it);
        else
            ++it;
    }
}

}  // namespace DoDadu
