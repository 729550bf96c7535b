#pragma once
#include <string>

namespace DoDadu {

// Where the evening at the full table is kept between runs: short named texts.
class EveningStore {
public:
    virtual ~EveningStore() = default;
    // The stored text; empty when nothing is stored or it cannot be read.
    virtual std::string Read(const std::string& name) = 0;
    // Failures are silent: the evening in memory stays authoritative.
    virtual void Write(const std::string& name, const std::string& text) = 0;
};

}  // namespace DoDadu
