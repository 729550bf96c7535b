#pragma once
#include "Peer.h"
#include "ProtocolCodec.h"
#include "TableHall.h"
#include "TlsStream.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <array>
#include <chrono>
#include <list>
#include <memory>
#include <string>

namespace DoDadu {

namespace beast = boost::beast;
namespace websocket = beast::websocket;
using PlainStream = boost::asio::ip::tcp::socket;

// The limits every connection lives by.
struct LinkLimits {
    static constexpr int kMostPerSecond = 20;
    static constexpr std::chrono::seconds kIdle{60};
    static constexpr std::chrono::seconds kHandshake{20};  // TLS and WebSocket together
    static constexpr std::size_t kMostQueued = 256;        // messages a slow reader may owe
};

// One client's WebSocket, over TLS or (on 127.0.0.1, for tests) plain TCP: reads one
// frame at a time into the hall, and writes what the tables send it in order. A frame
// over 16 KB, more than 20 frames in a second or a minute of silence end it.
template <typename Stream>
class Connection : public Peer, public std::enable_shared_from_this<Connection<Stream>> {
public:
    Connection(Stream&& stream, TableHall& hall, std::string address)
        : ws(std::move(stream)), hall(hall), address(std::move(address)), idle(ws.get_executor()) {}

    void Start();
    void Send(std::string text) override;
    void Close(int code) override;
    const std::string& Address() const override { return address; }

private:
    void WatchOpening();
    void Accept();
    void Read();
    void OnRead(beast::error_code error);
    bool Flooding();
    void Write();
    void WatchIdle();
    void End();

    websocket::stream<Stream> ws;
    TableHall& hall;
    std::string address;
    boost::asio::steady_timer idle;
    beast::flat_buffer buffer;
    std::list<std::string> queue;  // no fixed block for a queue that is mostly empty
    // When the last kMostPerSecond messages came, the oldest to be replaced next.
    std::array<std::chrono::steady_clock::time_point, LinkLimits::kMostPerSecond> recent{};
    std::size_t recentNext = 0;
    std::size_t recentCount = 0;
    std::chrono::steady_clock::time_point heard = std::chrono::steady_clock::now();
    bool open = false;
    bool writing = false;
    bool closing = false;
    bool ended = false;
    int closeCode = 1000;
};

extern template class Connection<PlainStream>;
extern template class Connection<TlsStream>;

}  // namespace DoDadu
