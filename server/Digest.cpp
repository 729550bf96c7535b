#include "Digest.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <stdexcept>
#include <vector>

namespace DoDadu {

namespace {

std::string Hex(const unsigned char* bytes, std::size_t count, const char* digits) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 15]);
    }
    return text;
}

void RandomBytes(unsigned char* into, int count) {
    // Without a working generator no token or code can be trusted: stop rather than go on.
    if (RAND_bytes(into, count) != 1) throw std::runtime_error("OpenSSL's random generator failed");
}

}  // namespace

std::string Sha256Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
    return Hex(digest, length, "0123456789ABCDEF");
}

std::string RandomHex(int bytes) {
    std::vector<unsigned char> random(static_cast<std::size_t>(bytes));
    RandomBytes(random.data(), bytes);
    return Hex(random.data(), random.size(), "0123456789abcdef");
}

unsigned RandomBits() {
    unsigned char random[4];
    RandomBytes(random, 4);
    return static_cast<unsigned>(random[0]) << 24 | static_cast<unsigned>(random[1]) << 16 |
           static_cast<unsigned>(random[2]) << 8 | random[3];
}

}  // namespace DoDadu
