#pragma once
#include <optional>
#include <string>

namespace DoDadu {

// The server's certificate as a client checks it: the SHA-256 of its DER bytes, and
// whether it signs itself (then invitations carry the fingerprint).
struct Certificate {
    std::string fingerprint;  // 64 hex digits in capitals
    bool selfSigned = false;
};

// The first certificate of a PEM file; none when there is none to read.
std::optional<Certificate> ReadCertificate(const std::string& pemFile);

}  // namespace DoDadu
