// One WebSocket to a table's server, worked on threads of its own so that the window never
// waits on the network. Text messages go out in the order given and come in in the order
// received; whenever something new is ready (a message, the link opening or closing) the
// link calls wake, from its own thread, and the owner takes the news on its own.
//
// TLS always, but to 127.0.0.1. The server's certificate is accepted when Windows trusts
// it, or, with a pin, only when its SHA-256 equals the pin: it is compared once the TLS
// handshake is done and before the request for the WebSocket goes out, and a mismatch
// shuts the connection there, so that a server that is not the invited one reads nothing. An idle link blocks
// in the system and wakes only to send the keep-alive message every 20 seconds; a link that hears nothing for
// twice that is dropped. WinHTTP is loaded at the first Open, and its WebSocket functions exist from Windows
// 8 on.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace DoDadu {

struct LinkAddress {
    std::string host;
    int port = 0;
    bool secure = true;
    std::string pin;  // 64 hexadecimal digits, or empty: the certificate must be trusted
};

enum class LinkState { Idle, Connecting, Open, Closed };
enum class LinkFault {
    None,
    NeedsWindows8,        // this Windows has no WebSocket client
    PlainNotLocal,        // plain ws:// asked for another computer than this one
    Unreachable,          // no connection, or no WebSocket, at that address
    NotTheInvitedServer,  // the certificate is not trusted, or not the pinned one
    Dropped               // the open link was lost or closed by the server
};

struct LinkNews {
    std::vector<std::string> messages;
    LinkState state = LinkState::Idle;
    LinkFault fault = LinkFault::None;
};

class WebSocketLink {
public:
    using Wake = std::function<void()>;
    explicit WebSocketLink(Wake wake);
    ~WebSocketLink();
    WebSocketLink(const WebSocketLink&) = delete;
    WebSocketLink& operator=(const WebSocketLink&) = delete;

    // This Windows has WinHTTP's WebSocket functions.
    static bool Available();

    // Connects on the link's thread; keepAlive is sent after 20 s with nothing sent. A link
    // opens once: a new connection takes a new link.
    void Open(const LinkAddress& to, std::string keepAlive);
    // Queued; sent once the link is open, dropped if it never opens.
    void Send(std::string message);
    // What arrived since the last call, and the link's state now.
    LinkNews Take();
    // Closes the link and waits for its threads.
    void Close();

private:
    void Run(const LinkAddress& to);
    bool Connect(const LinkAddress& to);
    void Receive();
    void Write();
    bool Refuse(LinkFault fault);  // Finish, and false
    void Finish(LinkFault fault);
    void Notify();

    Wake wake;
    std::string keepAlive;
    std::mutex lock;
    std::condition_variable outgoing;
    std::deque<std::string> toSend;
    std::vector<std::string> received;
    LinkState state = LinkState::Idle;
    LinkFault fault = LinkFault::None;
    bool closing = false;
    void* session = nullptr;  // WinHTTP handles
    void* connection = nullptr;
    void* request = nullptr;
    void* socket = nullptr;
    std::thread reader;
    std::thread writer;
};

}  // namespace DoDadu
