#include "Connection.h"

namespace DoDadu {

namespace {

// A frame longer than the protocol's largest is still read whole up to this, so that the
// client hears why it is closed; beyond it the WebSocket itself closes with 1009.
constexpr std::size_t kReadLimit = 4 * kLargestMessage;

using Done = std::function<void(beast::error_code)>;

// Plain TCP has no handshake of its own; TLS has.
void Handshake(PlainStream&, const Done& then) { then({}); }

void Handshake(TlsStream& stream, Done then) {
    stream.async_handshake([then = std::move(then)](beast::error_code error, std::size_t) { then(error); });
}

}  // namespace

template <typename Stream>
void Connection<Stream>::Start() {
    WatchOpening();
    auto self = this->shared_from_this();
    Handshake(ws.next_layer(), [self](beast::error_code error) {
        if (error) return self->End();
        self->Accept();
    });
}

// A connection that has not opened its WebSocket in time is dropped.
template <typename Stream>
void Connection<Stream>::WatchOpening() {
    idle.expires_after(LinkLimits::kHandshake);
    auto self = this->shared_from_this();
    idle.async_wait([self](beast::error_code error) {
        if (!error && !self->open) self->End();
    });
}

template <typename Stream>
void Connection<Stream>::Accept() {
    ws.read_message_max(kReadLimit);
    // The closing handshake too is given no longer than the opening one.
    websocket::stream_base::timeout timeouts{LinkLimits::kHandshake, websocket::stream_base::none(), false};
    ws.set_option(timeouts);
    ws.control_callback(
        [this](websocket::frame_type, beast::string_view) { heard = std::chrono::steady_clock::now(); });
    auto self = this->shared_from_this();
    ws.async_accept([self](beast::error_code error) {
        if (error || self->ended) return self->End();
        self->open = true;
        self->heard = std::chrono::steady_clock::now();
        self->WatchIdle();
        self->Read();
    });
}

template <typename Stream>
void Connection<Stream>::Read() {
    auto self = this->shared_from_this();
    ws.async_read(buffer, [self](beast::error_code error, std::size_t) { self->OnRead(error); });
}

template <typename Stream>
void Connection<Stream>::OnRead(beast::error_code error) {
    if (error) return End();
    heard = std::chrono::steady_clock::now();
    std::string text = beast::buffers_to_string(buffer.data());
    buffer.consume(buffer.size());
    if (closing) return Read();
    if (text.size() > kLargestMessage) {
        hall.Refuse(*this, ProtocolError::TooLarge);
        return Close(1009);
    }
    if (Flooding()) {
        hall.Refuse(*this, ProtocolError::Flood);
        return Close(1008);
    }
    if (!ws.got_text())
        hall.Refuse(*this, ProtocolError::Malformed);
    else
        hall.Receive(*this, text);
    Read();
}

template <typename Stream>
bool Connection<Stream>::Flooding() {
    const auto now = std::chrono::steady_clock::now();
    // One message more than a second allows came when the one kMostPerSecond before
    // this one is less than a second old.
    const bool full = recentCount == recent.size();
    const auto before = recent[recentNext];
    recent[recentNext] = now;
    recentNext = (recentNext + 1) % recent.size();
    if (!full) ++recentCount;
    return full && now - before < std::chrono::seconds(1);
}

template <typename Stream>
void Connection<Stream>::Send(std::string text) {
    if (!open || closing) return;
    if (queue.size() >= LinkLimits::kMostQueued) return Close(1008);  // it does not read
    queue.push_back(std::move(text));
    if (!writing) Write();
}

template <typename Stream>
void Connection<Stream>::Write() {
    if (queue.empty()) {
        writing = false;
        if (closing && open) {
            open = false;
            auto self = this->shared_from_this();
            ws.async_close(websocket::close_code(closeCode), [self](beast::error_code) { self->End(); });
        }
        return;
    }
    writing = true;
    ws.text(true);
    auto self = this->shared_from_this();
    ws.async_write(boost::asio::buffer(queue.front()), [self](beast::error_code error, std::size_t) {
        self->queue.pop_front();
        if (error) {
            self->queue.clear();
            self->writing = false;
            return self->End();
        }
        self->Write();
    });
}

template <typename Stream>
void Connection<Stream>::Close(int code) {
    if (closing || !open) return;
    closing = true;
    closeCode = code;
    hall.Gone(*this);
    if (!writing) Write();
}

template <typename Stream>
void Connection<Stream>::WatchIdle() {
    idle.expires_at(heard + LinkLimits::kIdle);
    auto self = this->shared_from_this();
    idle.async_wait([self](beast::error_code error) {
        if (error || self->ended || self->closing) return;
        if (std::chrono::steady_clock::now() - self->heard >= LinkLimits::kIdle) {
            self->hall.Refuse(*self, ProtocolError::Idle);
            return self->Close(1008);
        }
        self->WatchIdle();
    });
}

// The link is over, however it ended: its seat is kept for its person.
template <typename Stream>
void Connection<Stream>::End() {
    if (ended) return;
    ended = true;
    open = false;
    idle.cancel();
    hall.Gone(*this);
    beast::error_code ignored;
    auto& socket = beast::get_lowest_layer(ws);
    socket.shutdown(boost::asio::ip::tcp::socket::shutdown_both, ignored);
    socket.close(ignored);
}

template class Connection<PlainStream>;
template class Connection<TlsStream>;

}  // namespace DoDadu
