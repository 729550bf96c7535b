// The server's TLS stream under a WebSocket, against Beast's own TLS client on 127.0.0.1.
#include "ServerProcess.h"
#include "TlsStream.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <gtest/gtest.h>

#include <optional>

namespace DoDadu::Testing {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using Error = beast::error_code;
using tcp = asio::ip::tcp;

// A message far larger than the sockets' buffers, written while the client does not read
// yet, so that OpenSSL's writes stop part way and go on when the socket drains. It
// crosses whole both ways, and the server's close ends both sides.
TEST(TlsStream, ALargeMessageCrossesWholeBothWaysAndACloseEndsBothSides) {
    const std::string folder = MakeFolder();
    MakeCertificate(folder);
    asio::ssl::context serverTls(asio::ssl::context::tls_server);
    serverTls.use_certificate_chain_file(folder + "/cert.pem");
    serverTls.use_private_key_file(folder + "/key.pem", asio::ssl::context::pem);
    SSL_CTX_set_mode(serverTls.native_handle(), SSL_MODE_RELEASE_BUFFERS);
    SSL_CTX_set_read_ahead(serverTls.native_handle(), 1);
    RemoveFolder(folder);

    std::string big(8 << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 23);

    asio::io_context io;
    tcp::acceptor acceptor(io, tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0));
    std::optional<websocket::stream<TlsStream>> server;
    beast::flat_buffer serverBuffer;
    std::string serverGot;
    Error serverEnd = asio::error::would_block;
    acceptor.async_accept([&](Error error, tcp::socket socket) {
        ASSERT_FALSE(error);
        server.emplace(TlsStream(std::move(socket), serverTls));
        server->next_layer().async_handshake([&](Error error, std::size_t) {
            ASSERT_FALSE(error) << error.message();
            server->async_accept([&](Error error) {
                ASSERT_FALSE(error) << error.message();
                server->read_message_max(big.size());
                server->async_write(asio::buffer(big), [&](Error error, std::size_t) {
                    ASSERT_FALSE(error) << error.message();
                    server->async_read(serverBuffer, [&](Error error, std::size_t) {
                        ASSERT_FALSE(error) << error.message();
                        serverGot = beast::buffers_to_string(serverBuffer.data());
                        server->async_close(websocket::close_code::normal,
                                            [&](Error error) { serverEnd = error; });
                    });
                });
            });
        });
    });

    asio::ssl::context clientTls(asio::ssl::context::tls_client);
    websocket::stream<beast::ssl_stream<beast::tcp_stream>> client(io, clientTls);
    client.read_message_max(big.size());
    beast::flat_buffer clientBuffer;
    std::string clientGot;
    Error clientEnd;
    asio::steady_timer later(io);
    beast::get_lowest_layer(client).async_connect(acceptor.local_endpoint(), [&](Error error) {
        ASSERT_FALSE(error);
        client.next_layer().async_handshake(asio::ssl::stream_base::client, [&](Error error) {
            ASSERT_FALSE(error) << error.message();
            client.async_handshake("127.0.0.1", "/", [&](Error error) {
                ASSERT_FALSE(error) << error.message();
                later.expires_after(std::chrono::milliseconds(300));
                later.async_wait([&](Error) {
                    client.async_read(clientBuffer, [&](Error error, std::size_t) {
                        ASSERT_FALSE(error) << error.message();
                        clientGot = beast::buffers_to_string(clientBuffer.data());
                        client.async_write(asio::buffer(big), [&](Error error, std::size_t) {
                            ASSERT_FALSE(error) << error.message();
                            clientBuffer.clear();
                            client.async_read(clientBuffer,
                                              [&](Error error, std::size_t) { clientEnd = error; });
                        });
                    });
                });
            });
        });
    });
    io.run_for(std::chrono::seconds(60));

    EXPECT_TRUE(clientGot == big) << clientGot.size() << " bytes of " << big.size();
    EXPECT_TRUE(serverGot == big) << serverGot.size() << " bytes of " << big.size();
    EXPECT_EQ(clientEnd, websocket::error::closed) << clientEnd.message();
    EXPECT_FALSE(serverEnd) << serverEnd.message();
}

}  // namespace
}  // namespace DoDadu::Testing
