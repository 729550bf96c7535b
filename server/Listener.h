#pragma once
#include "TableHall.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl/context.hpp>

namespace DoDadu {

// Takes every new TCP connection and starts its WebSocket: over TLS with a context,
// plain without one (127.0.0.1 only, for tests).
class Listener {
public:
    Listener(boost::asio::ip::tcp::acceptor& acceptor, TableHall& hall, boost::asio::ssl::context* tls)
        : acceptor(acceptor), hall(hall), tls(tls) {}
    void Start();

private:
    boost::asio::ip::tcp::acceptor& acceptor;
    TableHall& hall;
    boost::asio::ssl::context* tls;
};

}  // namespace DoDadu
