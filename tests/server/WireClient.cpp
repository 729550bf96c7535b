#include "WireClient.h"

#include <boost/asio/ip/tcp.hpp>

namespace DoDadu::Testing {

namespace asio = boost::asio;
namespace beast = boost::beast;

WireClient::WireClient(int port) {
    beast::get_lowest_layer(ws).connect(
        asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port)));
    ws.handshake("127.0.0.1", "/");
    ws.text(true);
}

void WireClient::Send(const std::string& text) {
    beast::error_code error;
    ws.write(asio::buffer(text), error);
    if (error) closed = true;
}

std::optional<std::string> WireClient::Next(std::chrono::milliseconds within) {
    if (closed) return std::nullopt;
    std::optional<std::string> got;
    bool done = false;
    beast::get_lowest_layer(ws).expires_after(within);
    ws.async_read(buffer, [&](beast::error_code error, std::size_t) {
        done = true;
        if (error) {
            closed = true;
            return;
        }
        got = beast::buffers_to_string(buffer.data());
        buffer.consume(buffer.size());
    });
    io.restart();
    while (!done) io.run_one();
    return got;
}

}  // namespace DoDadu::Testing
