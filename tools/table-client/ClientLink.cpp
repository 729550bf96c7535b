#include "ClientLink.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl/host_name_verification.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <deque>

namespace DoDadu {

namespace {

namespace beast = boost::beast;
namespace websocket = beast::websocket;
namespace asio = boost::asio;
using TlsStream = beast::ssl_stream<beast::tcp_stream>;

std::string CertificateFingerprint(SSL* ssl) {
    X509* x509 = SSL_get1_peer_certificate(ssl);
    if (x509 == nullptr) return std::string();
    unsigned char* der = nullptr;
    const int length = i2d_X509(x509, &der);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (length > 0) EVP_Digest(der, static_cast<std::size_t>(length), digest, &size, EVP_sha256(), nullptr);
    OPENSSL_free(der);
    X509_free(x509);
    std::string hex;
    for (unsigned int i = 0; i < size; ++i) {
        hex.push_back("0123456789ABCDEF"[digest[i] >> 4]);
        hex.push_back("0123456789ABCDEF"[digest[i] & 15]);
    }
    return hex;
}

template <typename Stream>
class WireLink : public ClientLink, public std::enable_shared_from_this<WireLink<Stream>> {
public:
    WireLink(asio::io_context& io, Stream&& stream, const ClientOptions& options, Handlers handlers)
        : resolver(io), ws(std::move(stream)), options(options), handlers(std::move(handlers)) {}

    void Start() {
        auto self = this->shared_from_this();
        resolver.async_resolve(options.host, std::to_string(options.port),
                               [self](beast::error_code error, asio::ip::tcp::resolver::results_type found) {
                                   if (error) return self->End(LinkEnd::Unreachable, error.message());
                                   self->Connect(found);
                               });
    }
    void Send(const std::string& text) override {
        if (!open) return;
        queue.push_back(text);
        if (queue.size() == 1) Write();
    }
    void Ping() override {
        if (open) Send(R"({"type":"ping","v":1})");
    }
    void Close() override {
        if (!open) return;
        open = false;
        closing = true;
        auto self = this->shared_from_this();
        ws.async_close(websocket::close_code::normal, [self](beast::error_code) {});
    }

private:
    void Connect(const asio::ip::tcp::resolver::results_type& found) {
        beast::get_lowest_layer(ws).expires_after(std::chrono::seconds(10));
        auto self = this->shared_from_this();
        beast::get_lowest_layer(ws).async_connect(
            found, [self](beast::error_code error, const asio::ip::tcp::endpoint&) {
                if (error) return self->End(LinkEnd::Unreachable, error.message());
                self->Secure();
            });
    }
    void Secure();
    void Upgrade() {
        auto self = this->shared_from_this();
        ws.async_handshake(options.host + ":" + std::to_string(options.port), "/",
                           [self](beast::error_code error) {
                               if (error) return self->End(LinkEnd::Unreachable, error.message());
                               beast::get_lowest_layer(self->ws).expires_never();
                               self->ws.read_message_max(1 << 20);
                               self->open = true;
                               self->handlers.opened();
                               self->Read();
                           });
    }
    void Read() {
        auto self = this->shared_from_this();
        ws.async_read(buffer, [self](beast::error_code error, std::size_t) {
            if (error) return self->End(LinkEnd::Dropped, error.message());
            const std::string text = beast::buffers_to_string(self->buffer.data());
            self->buffer.consume(self->buffer.size());
            self->handlers.received(text);
            self->Read();
        });
    }
    void Write() {
        auto self = this->shared_from_this();
        ws.text(true);
        ws.async_write(asio::buffer(queue.front()), [self](beast::error_code error, std::size_t) {
            if (error) return self->End(LinkEnd::Dropped, error.message());
            self->queue.pop_front();
            if (!self->queue.empty()) self->Write();
        });
    }
    void End(LinkEnd how, const std::string& why) {
        if (ended) return;
        ended = true;
        open = false;
        beast::error_code ignored;
        beast::get_lowest_layer(ws).socket().close(ignored);
        if (!closing) handlers.ended(how, why);
    }

    asio::ip::tcp::resolver resolver;
    websocket::stream<Stream> ws;
    const ClientOptions& options;
    Handlers handlers;
    beast::flat_buffer buffer;
    std::deque<std::string> queue;
    bool open = false;
    bool closing = false;
    bool ended = false;
};

template <>
void WireLink<beast::tcp_stream>::Secure() {
    Upgrade();
}

// TLS: with a pin, the certificate must be the pinned one and nothing is sent otherwise;
// without one, the system's CAs and the host's name decide.
template <>
void WireLink<TlsStream>::Secure() {
    SSL* ssl = ws.next_layer().native_handle();
    SSL_set_tlsext_host_name(ssl, options.host.c_str());
    if (options.pin.empty()) {
        ws.next_layer().set_verify_mode(asio::ssl::verify_peer);
        ws.next_layer().set_verify_callback(asio::ssl::host_name_verification(options.host));
    } else {
        ws.next_layer().set_verify_mode(asio::ssl::verify_none);
    }
    auto self = shared_from_this();
    ws.next_layer().async_handshake(asio::ssl::stream_base::client, [self, ssl](beast::error_code error) {
        if (error) return self->End(LinkEnd::Unreachable, "TLS: " + error.message());
        if (!self->options.pin.empty() && CertificateFingerprint(ssl) != self->options.pin)
            return self->End(LinkEnd::PinMismatch, "the server's certificate is not the pinned one");
        self->Upgrade();
    });
}

}  // namespace

std::shared_ptr<ClientLink> ClientLink::Open(asio::io_context& io, asio::ssl::context* tls,
                                             const ClientOptions& options, Handlers handlers) {
    if (tls != nullptr) {
        auto link = std::make_shared<WireLink<TlsStream>>(io, TlsStream(beast::tcp_stream(io), *tls), options,
                                                          std::move(handlers));
        link->Start();
        return link;
    }
    auto link = std::make_shared<WireLink<beast::tcp_stream>>(io, beast::tcp_stream(io), options,
                                                              std::move(handlers));
    link->Start();
    return link;
}

}  // namespace DoDadu
