#include "TlsStream.h"

#include <boost/asio/ssl/error.hpp>

#include <cerrno>
#include <new>

namespace DoDadu {

TlsStream::TlsStream(Socket socket, boost::asio::ssl::context& context)
    : socket(std::move(socket)), ssl(SSL_new(context.native_handle())) {
    if (!ssl) throw std::bad_alloc();
    this->socket.non_blocking(true);
    SSL_set_fd(ssl.get(), static_cast<int>(this->socket.native_handle()));
    SSL_set_accept_state(ssl.get());
    // A write may end after any whole record, and is tried again from wherever its
    // bytes are by then.
    SSL_set_mode(ssl.get(), SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
}

int TlsStream::Failure(int failure, Error& error) {
    switch (failure) {
        case SSL_ERROR_WANT_READ:
        case SSL_ERROR_WANT_WRITE: return failure;
        case SSL_ERROR_ZERO_RETURN: error = boost::asio::error::eof; return 0;
        case SSL_ERROR_SYSCALL:
            // Without an errno the peer closed TCP without close_notify.
            if (errno != 0)
                error = Error(errno, boost::system::system_category());
            else
                error = boost::asio::ssl::error::stream_truncated;
            return 0;
        default:
            if (ERR_GET_REASON(ERR_peek_last_error()) == SSL_R_UNEXPECTED_EOF_WHILE_READING)
                error = boost::asio::ssl::error::stream_truncated;
            else
                error = Error(static_cast<int>(ERR_get_error()), boost::asio::error::get_ssl_category());
            if (!error) error = boost::asio::ssl::error::unspecified_system_error;
            return 0;
    }
}

}  // namespace DoDadu
