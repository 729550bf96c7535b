#include "Listener.h"
#include "Connection.h"

namespace DoDadu {

void Listener::Start() {
    acceptor.async_accept([this](boost::system::error_code error, boost::asio::ip::tcp::socket socket) {
        if (error == boost::asio::error::operation_aborted) return;
        if (!error) {
            boost::system::error_code ignored;
            socket.set_option(boost::asio::ip::tcp::no_delay(true), ignored);
            const auto remote = socket.remote_endpoint(ignored);
            std::string address = ignored ? std::string("?") : remote.address().to_string();
            if (tls != nullptr)
                std::make_shared<Connection<TlsStream>>(TlsStream(std::move(socket), *tls), hall,
                                                        std::move(address))
                    ->Start();
            else
                std::make_shared<Connection<PlainStream>>(std::move(socket), hall, std::move(address))
                    ->Start();
        }
        Start();
    });
}

}  // namespace DoDadu
