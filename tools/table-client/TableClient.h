#pragma once
#include "ClientLink.h"
#include "ClientOptions.h"
#include "ComputerPlayers.h"
#include "ExpertPlayer.h"
#include "ServerMessages.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ssl/context.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>

namespace DoDadu {

// A seat at an online table played by a computer style, for scripts and tests: creates
// or joins the table, plays every turn of its seat, prints a line per round and the
// chips at the end, and comes back with its token when the link drops.
class TableClient {
public:
    // Exit codes besides 0 (a whole evening).
    static constexpr int kRefused = 1;      // the server refused, or the chips did not add up
    static constexpr int kUnreachable = 4;  // no server, or the link did not come back
    static constexpr int kPinMismatch = 3;

    explicit TableClient(ClientOptions options);
    int Run();

private:
    void Connect();
    void OnOpen();
    void OnFrame(const std::string& text);
    void OnEnded(LinkEnd how, const std::string& why);
    void OnError(const ErrorReply& error);
    void OnTable(const TableView& view);
    void Play(const TableView& view);
    void Act(const ClientMessage& message);
    bool AnswersUs(const TableView& view) const;
    void PrintRound(const TableView& view);
    void Finish(const TableView& view);
    void Stop(int code, const std::string& why);
    void KeepAlive();
    ComputerPlayer& Player();

    ClientOptions options;
    boost::asio::io_context io;
    boost::asio::ssl::context tls{boost::asio::ssl::context::tls_client};
    std::shared_ptr<ClientLink> link;
    boost::asio::steady_timer retry{io};
    boost::asio::steady_timer ping{io};
    std::ofstream frames;
    CarefulPlayer careful;
    BoldPlayer bold;
    ExpertPlayer expert;

    std::string token;
    bool started = false;
    bool awaiting = false;  // an action sent and not yet answered
    int stakedRound = -1;   // the round whose stake this seat has chosen
    int lastPrinted = -1;
    std::chrono::steady_clock::time_point droppedAt;
    std::chrono::milliseconds backoff{250};
    bool dropped = false;
    int exitCode = -1;
};

}  // namespace DoDadu
