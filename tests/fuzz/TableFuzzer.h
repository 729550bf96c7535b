#pragma once
// The input of the fuzzers, and the full table's fuzzer, which the round's entry point
// hands the inputs that begin with 'T'.
#include <cstddef>
#include <cstdint>

namespace DoDadu {

// Reads the input a byte at a time; past its end every read is 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    bool More() const { return at < size; }
    std::uint8_t Byte() { return at < size ? data[at++] : 0; }
    int Word() { return Byte() | (Byte() << 8); }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

void FuzzTable(FuzzInput& input);

}  // namespace DoDadu
