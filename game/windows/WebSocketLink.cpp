#include <winsock2.h>  // before windows.h, which the link's header brings

#include "WebSocketLink.h"

#include "LazyLibrary.h"

#include <wincrypt.h>
#include <winhttp.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace DoDadu {

using NeloUtility::LazyFunction;

namespace {

const int kConnectMs = 8000;
const auto kKeepAlive = std::chrono::seconds(20);
const int kSilenceMs = 45000;                 // nothing heard for this long: the link is dead
const std::size_t kLongestMessage = 1 << 16;  // a longer one is not from a table server
const wchar_t kWinHttp[] = L"winhttp.dll";
const wchar_t kSockets[] = L"ws2_32.dll";

// WinHTTP, found at run time: nothing of it is loaded before online play is asked for.
struct WinHttp {
    decltype(&WinHttpOpen) open = LazyFunction<decltype(&WinHttpOpen)>(kWinHttp, "WinHttpOpen");
    decltype(&WinHttpSetTimeouts) timeouts =
        LazyFunction<decltype(&WinHttpSetTimeouts)>(kWinHttp, "WinHttpSetTimeouts");
    decltype(&WinHttpConnect) connect = LazyFunction<decltype(&WinHttpConnect)>(kWinHttp, "WinHttpConnect");
    decltype(&WinHttpOpenRequest) openRequest =
        LazyFunction<decltype(&WinHttpOpenRequest)>(kWinHttp, "WinHttpOpenRequest");
    decltype(&WinHttpSetOption) setOption =
        LazyFunction<decltype(&WinHttpSetOption)>(kWinHttp, "WinHttpSetOption");
    decltype(&WinHttpQueryOption) queryOption =
        LazyFunction<decltype(&WinHttpQueryOption)>(kWinHttp, "WinHttpQueryOption");
    decltype(&WinHttpSendRequest) sendRequest =
        LazyFunction<decltype(&WinHttpSendRequest)>(kWinHttp, "WinHttpSendRequest");
    decltype(&WinHttpReceiveResponse) receiveResponse =
        LazyFunction<decltype(&WinHttpReceiveResponse)>(kWinHttp, "WinHttpReceiveResponse");
    decltype(&WinHttpSetStatusCallback) setCallback =
        LazyFunction<decltype(&WinHttpSetStatusCallback)>(kWinHttp, "WinHttpSetStatusCallback");
    decltype(&WinHttpCloseHandle) close =
        LazyFunction<decltype(&WinHttpCloseHandle)>(kWinHttp, "WinHttpCloseHandle");
    decltype(&WinHttpWebSocketCompleteUpgrade) upgrade =
        LazyFunction<decltype(&WinHttpWebSocketCompleteUpgrade)>(kWinHttp, "WinHttpWebSocketCompleteUpgrade");
    decltype(&WinHttpWebSocketSend) send =
        LazyFunction<decltype(&WinHttpWebSocketSend)>(kWinHttp, "WinHttpWebSocketSend");
    decltype(&WinHttpWebSocketReceive) receive =
        LazyFunction<decltype(&WinHttpWebSocketReceive)>(kWinHttp, "WinHttpWebSocketReceive");
    decltype(&WinHttpWebSocketShutdown) shutdown =
        LazyFunction<decltype(&WinHttpWebSocketShutdown)>(kWinHttp, "WinHttpWebSocketShutdown");

    bool Complete() const {
        return open && timeouts && connect && openRequest && setOption && queryOption && setCallback &&
               sendRequest && receiveResponse && close && upgrade && send && receive && shutdown;
    }
};

const WinHttp& Http() {
    static const WinHttp calls;
    return calls;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide;
    for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

// The SHA-256 of the certificate's encoded bytes, as 64 hexadecimal capitals.
std::string CertificateDigest(PCCERT_CONTEXT certificate) {
    using Hash = decltype(&CryptHashCertificate);
    static const auto hash = LazyFunction<Hash>(L"crypt32.dll", "CryptHashCertificate");
    BYTE digest[32] = {};
    DWORD size = sizeof digest;
    if (hash == nullptr ||
        !hash(0, CALG_SHA_256, 0, certificate->pbCertEncoded, certificate->cbCertEncoded, digest, &size) ||
        size != sizeof digest)
        return {};
    std::string hex;
    char pair[3] = {};
    for (const BYTE b : digest) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        hex += pair;
    }
    return hex;
}

// The request's server certificate has the pinned digest.
bool PinMatches(HINTERNET request, const std::string& pin) {
    PCCERT_CONTEXT certificate = nullptr;
    DWORD size = sizeof(PCCERT_CONTEXT);  // the option gives the context's address
    if (!Http().queryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &certificate, &size) ||
        certificate == nullptr)
        return false;
    const bool matches = CertificateDigest(certificate) == pin;
    using Free = decltype(&CertFreeCertificateContext);
    static const auto free = LazyFunction<Free>(L"crypt32.dll", "CertFreeCertificateContext");
    if (free != nullptr) free(certificate);
    return matches;
}

// The sockets' functions, looked up only when a connection must be shut: linked, their
// library would load with every start of the game.
struct Sockets {
    decltype(&getsockname) localEnd = LazyFunction<decltype(&getsockname)>(kSockets, "getsockname");
    decltype(&getpeername) remoteEnd = LazyFunction<decltype(&getpeername)>(kSockets, "getpeername");
    decltype(&shutdown) shut = LazyFunction<decltype(&shutdown)>(kSockets, "shutdown");
};

bool SameAddress(const Sockets& sockets, const SOCKADDR_STORAGE& known, SOCKET socket, bool peer) {
    SOCKADDR_STORAGE found{};
    int size = sizeof found;
    auto* address = reinterpret_cast<sockaddr*>(&found);
    if ((peer ? sockets.remoteEnd : sockets.localEnd)(socket, address, &size) != 0) return false;
    return size > 0 && std::memcmp(&found, &known, static_cast<std::size_t>(size)) == 0;
}

// WinHTTP names no socket of its requests; the connection is found among this process's
// sockets by its two ends and shut both ways, so that the request's send fails.
void ShutConnection(HINTERNET request) {
    const Sockets sockets;
    if (sockets.localEnd == nullptr || sockets.remoteEnd == nullptr || sockets.shut == nullptr) return;
    WINHTTP_CONNECTION_INFO ends{};
    ends.cbSize = sizeof ends;
    DWORD size = sizeof ends;
    if (!Http().queryOption(request, WINHTTP_OPTION_CONNECTION_INFO, &ends, &size)) return;
    const SOCKET kMostHandle = 1 << 16;  // handles are multiples of four
    for (SOCKET socket = 4; socket < kMostHandle; socket += 4) {
        if (SameAddress(sockets, ends.LocalAddress, socket, false) &&
            SameAddress(sockets, ends.RemoteAddress, socket, true)) {
            sockets.shut(socket, SD_BOTH);
            return;
        }
    }
}

// What the request's status callback knows: the pin, and whether the server missed it.
struct PinCheck {
    std::string pin;
    bool mismatch = false;
};

// Called by WinHTTP on the link's thread, after the TLS handshake and just before the
// request is written to the connection.
void CALLBACK BeforeSending(HINTERNET request, DWORD_PTR context, DWORD status, void*, DWORD) {
    auto* check = reinterpret_cast<PinCheck*>(context);
    if (status != WINHTTP_CALLBACK_STATUS_SENDING_REQUEST || check == nullptr || check->pin.empty()) return;
    if (PinMatches(request, check->pin)) return;
    check->mismatch = true;
    ShutConnection(request);
}

// The TLS handshake failed on the server's certificate (Wine reports any such failure as
// a secure channel error).
bool CertificateFault(DWORD error) {
    return error == ERROR_WINHTTP_SECURE_FAILURE || error == ERROR_WINHTTP_SECURE_CHANNEL_ERROR ||
           error == ERROR_WINHTTP_SECURE_INVALID_CA || error == ERROR_WINHTTP_SECURE_CERT_CN_INVALID ||
           error == ERROR_WINHTTP_SECURE_CERT_DATE_INVALID || error == ERROR_WINHTTP_SECURE_INVALID_CERT ||
           error == ERROR_WINHTTP_SECURE_CERT_REVOKED;
}

}  // namespace

WebSocketLink::WebSocketLink(Wake wakeOwner) : wake(std::move(wakeOwner)) {}

WebSocketLink::~WebSocketLink() { Close(); }

bool WebSocketLink::Available() { return Http().Complete(); }

void WebSocketLink::Open(const LinkAddress& to, std::string keepAliveMessage) {
    std::lock_guard<std::mutex> hold(lock);
    if (state != LinkState::Idle) return;
    keepAlive = std::move(keepAliveMessage);
    state = LinkState::Connecting;
    reader = std::thread(&WebSocketLink::Run, this, to);
}

void WebSocketLink::Send(std::string message) {
    {
        std::lock_guard<std::mutex> hold(lock);
        if (state == LinkState::Closed || closing) return;
        toSend.push_back(std::move(message));
    }
    outgoing.notify_one();
}

LinkNews WebSocketLink::Take() {
    std::lock_guard<std::mutex> hold(lock);
    LinkNews news;
    news.messages.swap(received);
    news.state = state;
    news.fault = fault;
    return news;
}

void WebSocketLink::Notify() {
    if (wake) wake();
}

bool WebSocketLink::Refuse(LinkFault why) {
    Finish(why);
    return false;
}

void WebSocketLink::Finish(LinkFault why) {
    {
        std::lock_guard<std::mutex> hold(lock);
        if (state == LinkState::Closed) return;
        state = LinkState::Closed;
        if (!closing) fault = why;
        toSend.clear();
    }
    outgoing.notify_one();
    Notify();
}

void WebSocketLink::Run(const LinkAddress& to) {
    if (!Connect(to)) return;
    {
        std::lock_guard<std::mutex> hold(lock);
        if (closing) return;
        state = LinkState::Open;
        writer = std::thread(&WebSocketLink::Write, this);
    }
    Notify();
    Receive();
}

// Up to the WebSocket: the address checked, the certificate checked before anything is sent.
bool WebSocketLink::Connect(const LinkAddress& to) {
    if (!Available()) return Refuse(LinkFault::NeedsWindows8);
    if (!to.secure && to.host != "127.0.0.1") return Refuse(LinkFault::PlainNotLocal);
    if (to.port < 1 || to.port > 65535 || to.host.empty()) return Refuse(LinkFault::Unreachable);
    const WinHttp& http = Http();
    HINTERNET opened = http.open(L"Zandro++", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                 WINHTTP_NO_PROXY_BYPASS, 0);
    HINTERNET connected = nullptr, asked = nullptr;
    if (opened != nullptr) {
        http.timeouts(opened, kConnectMs, kConnectMs, kConnectMs, kConnectMs);
        connected = http.connect(opened, Wide(to.host).c_str(), static_cast<INTERNET_PORT>(to.port), 0);
    }
    if (connected != nullptr)
        asked = http.openRequest(connected, L"GET", L"/", nullptr, WINHTTP_NO_REFERER,
                                 WINHTTP_DEFAULT_ACCEPT_TYPES, to.secure ? WINHTTP_FLAG_SECURE : 0);
    {
        std::lock_guard<std::mutex> hold(lock);
        session = opened;
        connection = connected;
        request = asked;
        if (closing) return false;
    }
    if (asked == nullptr) return Refuse(LinkFault::Unreachable);
    http.setOption(asked, WINHTTP_OPTION_UPGRADE_TO_WEB_SOCKET, nullptr, 0);
    PinCheck check;
    if (to.secure && !to.pin.empty()) {
        // The pin stands in for the authorities: the certificate is checked by its digest
        // before the request goes out.
        DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                      SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;
        http.setOption(asked, WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
        check.pin = to.pin;
        if (http.setCallback(asked, BeforeSending, WINHTTP_CALLBACK_FLAG_SEND_REQUEST, 0) ==
            WINHTTP_INVALID_STATUS_CALLBACK)
            return Refuse(LinkFault::NotTheInvitedServer);
    }
    const bool sent = http.sendRequest(asked, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                                       reinterpret_cast<DWORD_PTR>(&check));
    const DWORD error = sent ? ERROR_SUCCESS : GetLastError();
    // The check lives no longer than this call: nothing after it, nor the WebSocket, calls it.
    http.setCallback(asked, nullptr, 0, 0);
    if (check.mismatch) return Refuse(LinkFault::NotTheInvitedServer);  // whatever WinHTTP made of the shut
    if (!sent)
        return Refuse(CertificateFault(error) ? LinkFault::NotTheInvitedServer : LinkFault::Unreachable);
    HINTERNET upgraded = nullptr;
    if (http.receiveResponse(asked, nullptr)) upgraded = http.upgrade(asked, 0);
    if (upgraded == nullptr) return Refuse(LinkFault::Unreachable);
    DWORD silence = kSilenceMs;
    http.setOption(upgraded, WINHTTP_OPTION_RECEIVE_TIMEOUT, &silence, sizeof silence);
    std::lock_guard<std::mutex> hold(lock);
    socket = upgraded;
    return !closing;
}

// Whole text messages until the link closes; a message too long ends it.
void WebSocketLink::Receive() {
    HINTERNET from = nullptr;
    {
        std::lock_guard<std::mutex> hold(lock);
        from = socket;
    }
    std::string message;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        WINHTTP_WEB_SOCKET_BUFFER_TYPE type{};
        if (Http().receive(from, buffer, sizeof buffer, &got, &type) != NO_ERROR) break;
        if (type == WINHTTP_WEB_SOCKET_CLOSE_BUFFER_TYPE) break;
        message.append(buffer, got);
        if (message.size() > kLongestMessage) break;
        if (type == WINHTTP_WEB_SOCKET_UTF8_FRAGMENT_BUFFER_TYPE ||
            type == WINHTTP_WEB_SOCKET_BINARY_FRAGMENT_BUFFER_TYPE)
            continue;
        if (type == WINHTTP_WEB_SOCKET_UTF8_MESSAGE_BUFFER_TYPE) {
            std::lock_guard<std::mutex> hold(lock);
            received.push_back(message);
        }
        message.clear();
        Notify();
    }
    Finish(LinkFault::Dropped);
}

// The queue in order, and the keep-alive when nothing was sent for a while.
void WebSocketLink::Write() {
    std::unique_lock<std::mutex> hold(lock);
    for (;;) {
        const bool woken = outgoing.wait_for(
            hold, kKeepAlive, [this] { return closing || state == LinkState::Closed || !toSend.empty(); });
        if (closing || state == LinkState::Closed) return;
        std::string next = woken ? std::move(toSend.front()) : keepAlive;
        if (woken) toSend.pop_front();
        HINTERNET to = socket;
        hold.unlock();
        const DWORD sent = Http().send(to, WINHTTP_WEB_SOCKET_UTF8_MESSAGE_BUFFER_TYPE, next.data(),
                                       static_cast<DWORD>(next.size()));
        hold.lock();
        if (sent != NO_ERROR) return;
    }
}

void WebSocketLink::Close() {
    {
        std::lock_guard<std::mutex> hold(lock);
        closing = true;
        if (socket != nullptr) Http().shutdown(socket, WINHTTP_WEB_SOCKET_SUCCESS_CLOSE_STATUS, nullptr, 0);
        // Closing the handles ends whatever the link's threads wait for.
        for (void* handle : {socket, request, connection, session})
            if (handle != nullptr) Http().close(handle);
        socket = request = connection = session = nullptr;
    }
    outgoing.notify_all();
    if (reader.joinable()) reader.join();
    if (writer.joinable()) writer.join();
    std::lock_guard<std::mutex> hold(lock);
    state = LinkState::Closed;
}

}  // namespace DoDadu
