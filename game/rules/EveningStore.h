#pragma once
#include <cstdint>
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

// The check value that closes each slot of the stored evening: FNV-1a over every name
// and text written before it, in order, as 16 hex digits.
class StoreCheck {
public:
    void Add(const std::string& name, const std::string& text);
    std::string Text() const;

private:
    std::uint64_t value = 14695981039346656037ull;
};

}  // namespace DoDadu
