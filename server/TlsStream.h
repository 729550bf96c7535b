#pragma once
#include <boost/asio/bind_executor.hpp>
#include <boost/asio/buffer.hpp>
#include <boost/asio/compose.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/ssl/context.hpp>
#include <boost/beast/core/buffers_prefix.hpp>
#include <boost/beast/core/buffers_range.hpp>
#include <boost/beast/websocket/teardown.hpp>
#include <openssl/err.h>
#include <openssl/ssl.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>

namespace DoDadu {

// The server's end of TLS over one TCP socket, for a WebSocket to run on. OpenSSL reads
// and writes the non-blocking socket itself; the stream only waits until the socket is
// ready for what OpenSSL wants. So it keeps no record buffer of its own, and with the
// context's SSL_MODE_RELEASE_BUFFERS a connection that waits for its next message holds
// none at all: OpenSSL's buffers live only while a record is read or written. OpenSSL's
// writes do not hold SIGPIPE back: a program using the stream ignores it.
class TlsStream {
public:
    using Socket = boost::asio::ip::tcp::socket;
    using executor_type = Socket::executor_type;
    using Error = boost::system::error_code;

    TlsStream(Socket socket, boost::asio::ssl::context& context);

    executor_type get_executor() { return socket.get_executor(); }
    Socket& next_layer() { return socket; }

    template <typename Handler>
    auto async_handshake(Handler&& handler) {
        return Run(std::forward<Handler>(handler), [](SSL* ssl, std::size_t& done) {
            done = 0;
            return SSL_do_handshake(ssl);
        });
    }

    // Sends close_notify without waiting for the peer's: the WebSocket has closed already.
    template <typename Handler>
    auto async_shutdown(Handler&& handler) {
        return Run(std::forward<Handler>(handler), [](SSL* ssl, std::size_t& done) {
            done = 0;
            const int result = SSL_shutdown(ssl);
            return result == 0 ? 1 : result;
        });
    }

    template <typename Buffers, typename Handler>
    auto async_read_some(const Buffers& buffers, Handler&& handler) {
        const boost::asio::mutable_buffer into = boost::beast::buffers_front(buffers);
        return Run(std::forward<Handler>(handler), [into](SSL* ssl, std::size_t& done) {
            return into.size() == 0 ? (done = 0, 1) : SSL_read_ex(ssl, into.data(), into.size(), &done);
        });
    }

    // What Beast gathers (a frame's header and its payload) goes out as one record.
    template <typename Buffers, typename Handler>
    auto async_write_some(const Buffers& buffers, Handler&& handler) {
        std::string flat(std::min<std::size_t>(boost::asio::buffer_size(buffers), SSL3_RT_MAX_PLAIN_LENGTH),
                         '\0');
        boost::asio::buffer_copy(boost::asio::buffer(flat), buffers);
        return Run(std::forward<Handler>(handler), [flat = std::move(flat)](SSL* ssl, std::size_t& done) {
            return flat.empty() ? (done = 0, 1) : SSL_write_ex(ssl, flat.data(), flat.size(), &done);
        });
    }

private:
    struct Free {
        void operator()(SSL* ssl) const { SSL_free(ssl); }
    };

    // One OpenSSL call, tried again each time the socket is ready for what it wants. Its
    // handler is never called from within the initiating function.
    template <typename Call>
    struct Operation {
        Operation(TlsStream& stream, Call call) : stream(stream), call(std::move(call)) {}

        TlsStream& stream;
        Call call;
        bool waited = false;
        bool finished = false;
        Error outcome;
        std::size_t done = 0;

        template <typename Self>
        void operator()(Self& self, Error error = {}) {
            if (finished) return self.complete(outcome, done);
            if (!error) {
                const int want = stream.Try(call, done, error);
                if (want != 0) {
                    waited = true;
                    return stream.socket.async_wait(
                        want == SSL_ERROR_WANT_READ ? Socket::wait_read : Socket::wait_write,
                        std::move(self));
                }
            }
            if (waited) return self.complete(error, error ? 0 : done);
            finished = true;
            outcome = error;
            boost::asio::post(std::move(self));
        }
    };

    template <typename Handler, typename Call>
    auto Run(Handler&& handler, Call call) {
        return boost::asio::async_compose<Handler, void(Error, std::size_t)>(
            Operation<Call>(*this, std::move(call)), handler, socket);
    }

    // Makes the call once: 0 when it finished (error set if it failed), else
    // SSL_ERROR_WANT_READ or SSL_ERROR_WANT_WRITE.
    template <typename Call>
    int Try(Call& call, std::size_t& done, Error& error) {
        // A closed socket's number may already be another connection's.
        if (!socket.is_open()) {
            error = boost::asio::error::operation_aborted;
            return 0;
        }
        ERR_clear_error();
        errno = 0;
        const int result = call(ssl.get(), done);
        return result > 0 ? 0 : Failure(SSL_get_error(ssl.get(), result), error);
    }

    static int Failure(int failure, Error& error);

    Socket socket;
    std::unique_ptr<SSL, Free> ssl;
};

// The WebSocket's closing handshake is done: send close_notify, then end the TCP
// connection as Beast does for a plain socket.
template <typename Handler>
void async_teardown(boost::beast::role_type role, TlsStream& stream, Handler&& handler) {
    auto executor = boost::asio::get_associated_executor(handler, stream.get_executor());
    stream.async_shutdown(boost::asio::bind_executor(
        executor,
        [role, &stream, handler = std::forward<Handler>(handler)](TlsStream::Error, std::size_t) mutable {
            boost::beast::websocket::async_teardown(role, stream.next_layer(), std::move(handler));
        }));
}

}  // namespace DoDadu
