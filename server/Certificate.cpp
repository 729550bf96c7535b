#include "Certificate.h"
#include "Digest.h"

#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>

namespace DoDadu {

std::optional<Certificate> ReadCertificate(const std::string& pemFile) {
    FILE* file = std::fopen(pemFile.c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    X509* x509 = PEM_read_X509(file, nullptr, nullptr, nullptr);
    std::fclose(file);
    if (x509 == nullptr) return std::nullopt;
    unsigned char* der = nullptr;
    const int length = i2d_X509(x509, &der);
    std::optional<Certificate> certificate;
    if (length > 0) {
        certificate = Certificate{
            Sha256Hex(std::string(reinterpret_cast<char*>(der), static_cast<std::size_t>(length))),
            X509_check_issued(x509, x509) == X509_V_OK};
    }
    OPENSSL_free(der);
    X509_free(x509);
    return certificate;
}

}  // namespace DoDadu
