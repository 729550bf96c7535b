#include "LinkCutter.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace DoDadu::Testing {

namespace {

sockaddr_in Local(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<unsigned short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

}  // namespace

LinkCutter::LinkCutter(int serverPort) : serverPort(serverPort) {
    listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Local(0);
    socklen_t size = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(listener, 16) != 0)
        throw std::runtime_error("the relay cannot listen");
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    acceptor = std::thread([this] { Accept(); });
}

LinkCutter::~LinkCutter() {
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    ::shutdown(listener, SHUT_RDWR);
    Cut();
    acceptor.join();
    for (std::thread& thread : threads) thread.join();
    ::close(listener);
}

void LinkCutter::Accept() {
    for (;;) {
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0) return;
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = Local(serverPort);
        std::lock_guard<std::mutex> guard(lock);
        if (stopping || ::connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            ::close(client);
            ::close(server);
            if (stopping) return;
            continue;
        }
        open.push_back(client);
        open.push_back(server);
        threads.emplace_back([this, client, server] { Relay(client, server); });
        threads.emplace_back([this, client, server] { Relay(server, client); });
    }
}

void LinkCutter::Relay(int from, int to) {
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::recv(from, buffer, sizeof buffer, 0);
        if (got <= 0 || ::send(to, buffer, static_cast<std::size_t>(got), MSG_NOSIGNAL) != got) break;
    }
    ::shutdown(to, SHUT_RDWR);
    ::shutdown(from, SHUT_RDWR);
}

void LinkCutter::Cut() {
    std::lock_guard<std::mutex> guard(lock);
    for (int fd : open) ::shutdown(fd, SHUT_RDWR);
    if (!open.empty()) ++cuts;
    open.clear();
}

}  // namespace DoDadu::Testing
