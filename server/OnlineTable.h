#pragma once
#include "ClientMessages.h"
#include "Evening.h"
#include "MemoryEveningStore.h"
#include "Peer.h"
#include "UnguessableCards.h"
#include "ServerMessages.h"
#include "TableRecord.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace DoDadu {

using SteadyClock = std::chrono::steady_clock;

// How fast a table goes, and how long a person's seat is kept.
struct TablePace {
    std::chrono::milliseconds computerStep{700};  // between two steps of a computer
    std::chrono::milliseconds roundPause{2000};   // from one round's end to the next deal
    std::chrono::seconds seatHold{120};           // a person gone this long is played for
};

// One table held by the server: its seats and the persons in them, and once started its
// evening, driven by the persons' messages and by a timer for the computers. Every
// change goes to every connected seat as a view of its own (SeenTable), with the
// moments since its last one.
class OnlineTable : private TableListener {
public:
    struct Hooks {
        std::function<void(const TableRecord&)> store;  // a moment worth keeping
        std::function<void(const std::string&)> log;    // one line, without any hidden card
    };

    OnlineTable(boost::asio::io_context& io, const TablePace& pace, const PlayerTable& players, Hooks hooks,
                TableRecord record);
    ~OnlineTable() override;
    OnlineTable(const OnlineTable&) = delete;
    OnlineTable& operator=(const OnlineTable&) = delete;

    // A table as stored: false when its evening cannot be read back.
    bool Restore();

    void SetInvitation(std::string text) { invitation = std::move(text); }
    const std::string& ViewInvitation() const { return invitation; }
    const std::string& Code() const { return record.code; }
    TablePhase Phase() const { return record.phase; }
    const TableRecord& Record() const { return record; }

    // Seats a person with a checked name: the seat, or why not (TableFull, NameTaken).
    int Join(const std::string& name, const std::string& tokenHash, ProtocolError& why);
    // The seat's person is on this link now (after create, join or resume); the link it
    // had before, if any, is returned so that it can be told and closed.
    Peer* Attach(int seat, Peer* link);
    // The link is gone (the seat is kept).
    void Detach(int seat, Peer* link);
    // A table message from a seat: none when taken, else why it is refused.
    std::optional<ProtocolError> Act(int seat, const ClientMessage& message);
    // The seat's view with no moments, to its link.
    void SendSnapshot(int seat);
    bool HasLinks() const;

private:
    struct Place {
        Peer* link = nullptr;
        SteadyClock::time_point lostAt = SteadyClock::now();
        bool away = false;
        std::vector<SeenEvent> pending;
    };

    void OnTableEvent(const TableEvent& event) override;
    std::optional<ProtocolError> GiveSeat(int seat, const struct GiveSeat& give);
    std::optional<ProtocolError> Start(int seat);
    std::optional<ProtocolError> Play(int seat, const ClientMessage& message);
    void MakeEvening();
    void Tell(PresenceMoment moment, int seat);
    TableView ViewFor(int seat) const;
    void Flush();
    void Keep();
    void Advance();
    void Schedule(std::chrono::milliseconds after);
    void OnTimer();
    void MarkAway();
    void StandIn();
    void Finish(EndReason reason);
    void LogRound();
    bool Person(int seat) const;
    std::string SeatName(int seat) const;

    boost::asio::steady_timer timer;
    TablePace pace;
    const PlayerTable& players;
    Hooks hooks;
    TableRecord record;
    std::string invitation;
    std::vector<Place> places;
    UnguessableCards cards;
    MemoryEveningStore store;
    std::unique_ptr<Evening> evening;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

}  // namespace DoDadu
