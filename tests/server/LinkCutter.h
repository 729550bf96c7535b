#pragma once
// A TCP relay on 127.0.0.1 between a client and the server, whose links a test cuts at
// a moment of its choosing, as a network would drop them.
#include <mutex>
#include <thread>
#include <vector>

namespace DoDadu::Testing {

class LinkCutter {
public:
    explicit LinkCutter(int serverPort);
    ~LinkCutter();
    int Port() const { return port; }
    // Drops every link open now; later ones are relayed again.
    void Cut();
    int Cuts() const { return cuts; }

private:
    void Accept();
    void Relay(int from, int to);

    int serverPort;
    int listener = -1;
    int port = 0;
    int cuts = 0;
    bool stopping = false;
    std::mutex lock;
    std::vector<int> open;
    std::vector<std::thread> threads;
    std::thread acceptor;
};

}  // namespace DoDadu::Testing
