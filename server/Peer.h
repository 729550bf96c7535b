#pragma once
#include <string>

namespace DoDadu {

// One client's connection as the tables see it: messages out, and an end.
class Peer {
public:
    virtual ~Peer() = default;
    virtual void Send(std::string text) = 0;
    // Sends nothing more and closes with a WebSocket close code (1000, 1008, 1009).
    virtual void Close(int code) = 0;
    // The remote address, for the limit on failed joins.
    virtual const std::string& Address() const = 0;
};

}  // namespace DoDadu
