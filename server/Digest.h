#pragma once
#include <string>

namespace DoDadu {

// SHA-256 of bytes, as 64 hex digits in capitals.
std::string Sha256Hex(const std::string& bytes);
// Random bytes from OpenSSL's generator, as hex digits in lower case.
std::string RandomHex(int bytes);
// A random number of 32 bits from the same generator.
unsigned RandomBits();

}  // namespace DoDadu
