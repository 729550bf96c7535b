#pragma once
#include <string>

namespace DoDadu {

// Where the running score is kept between runs, as decimal text.
class ScoreStore {
public:
    virtual ~ScoreStore() = default;
    // The stored text; empty when nothing is stored or it cannot be read.
    virtual std::string ReadScore() = 0;
    // Failures are silent: the score in memory stays authoritative.
    virtual void WriteScore(const std::string& text) = 0;
};

#ifdef _WIN32
// The per-user settings store: application "Zandro", section "Dati", value "Score".
class RegistryScoreStore : public ScoreStore {
public:
    std::string ReadScore() override;
    void WriteScore(const std::string& text) override;
};
#endif

}  // namespace DoDadu
