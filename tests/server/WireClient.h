#pragma once
// A bare WebSocket client for tests that send what a client must not: frames are sent
// as given and every answer is read as it comes.
#include <boost/asio/io_context.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <chrono>
#include <optional>
#include <string>

namespace DoDadu::Testing {

class WireClient {
public:
    explicit WireClient(int port);
    void Send(const std::string& text);
    // The next frame; none when the link closed or nothing came within the time.
    std::optional<std::string> Next(std::chrono::milliseconds within = std::chrono::seconds(10));
    bool Closed() const { return closed; }

private:
    boost::asio::io_context io;
    boost::beast::websocket::stream<boost::beast::tcp_stream> ws{io};
    boost::beast::flat_buffer buffer;
    bool closed = false;
};

}  // namespace DoDadu::Testing
