#pragma once
#include "ClientOptions.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ssl/context.hpp>

#include <functional>
#include <memory>
#include <string>

namespace DoDadu {

// Why a link ended before or after it opened.
enum class LinkEnd { Dropped, Unreachable, PinMismatch };

// One WebSocket to the server, over TLS (the certificate checked against the pin, or
// else against the system's CAs and the host's name) or plain to 127.0.0.1.
class ClientLink {
public:
    struct Handlers {
        std::function<void()> opened;
        std::function<void(const std::string&)> received;
        std::function<void(LinkEnd, const std::string&)> ended;
    };
    virtual ~ClientLink() = default;
    virtual void Send(const std::string& text) = 0;
    virtual void Ping() = 0;
    virtual void Close() = 0;

    // tls: null for ws://.
    static std::shared_ptr<ClientLink> Open(boost::asio::io_context& io, boost::asio::ssl::context* tls,
                                            const ClientOptions& options, Handlers handlers);
};

}  // namespace DoDadu
