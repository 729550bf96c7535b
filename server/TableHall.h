#pragma once
#include "ComputerPlayers.h"
#include "ExpertPlayer.h"
#include "Invitation.h"
#include "JoinLimiter.h"
#include "OnlineTable.h"
#include "Peer.h"
#include "TableFiles.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace DoDadu {

struct HallSettings {
    TablePace pace;
    Invitation address;       // host, port and fingerprint (when self-signed) of the invitations
    std::string stateFolder;  // empty: nothing is stored
    std::size_t mostTables = 20000;
    std::chrono::hours codeLife{24};
};

// Every table of the server, found by room code and by resume token, and every
// connection's seat. Takes each frame a connection receives and answers it.
class TableHall {
public:
    using Log = std::function<void(const std::string&)>;
    TableHall(boost::asio::io_context& io, HallSettings settings, Log log);
    ~TableHall();

    // Brings back the stored tables; false when the state folder cannot be used.
    bool Restore();
    void Receive(Peer& peer, const std::string& text);
    void Refuse(Peer& peer, ProtocolError error, const std::string& about = std::string(),
                int retryAfter = 0);
    void Gone(Peer& peer);
    std::size_t Tables() const { return tables.size(); }

private:
    struct SeatOf {
        OnlineTable* table = nullptr;
        int seat = 0;
    };
    void Create(Peer& peer, const CreateTable& create);
    void Join(Peer& peer, const JoinTable& join);
    void Resume(Peer& peer, const ResumeSeat& resume);
    bool Blocked(Peer& peer, const char* about);
    void Failed(Peer& peer, ProtocolError error, const char* about);
    std::optional<ProtocolError> PlanFault(CreateTable& create) const;
    std::string FreshCode() const;
    std::string NewToken(OnlineTable& table, int seat);
    void Seat(Peer& peer, OnlineTable& table, int seat, const std::string& token);
    OnlineTable& Add(TableRecord record);
    void Store(const TableRecord& record);
    void Expire();
    void ScheduleExpiry();

    boost::asio::io_context& io;
    HallSettings settings;
    Log log;
    std::optional<TableFiles> files;
    CarefulPlayer careful;
    BoldPlayer bold;
    ExpertPlayer expert;
    PlayerTable players;
    std::unordered_map<std::string, std::unique_ptr<OnlineTable>> tables;  // by code
    std::unordered_map<std::string, std::pair<std::string, int>> tokens;   // token's hash: code, seat
    std::unordered_map<Peer*, SeatOf> seated;
    JoinLimiter limiter;
    boost::asio::steady_timer expiry;
};

}  // namespace DoDadu
