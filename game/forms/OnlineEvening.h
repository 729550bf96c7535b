// An evening held by a server, as the full table's window plays it: the link to the server
// (off the window's thread; its news reach the window as a tick of newsTimer), the seat
// taken by joining or creating and kept by its resume token, and a dropped link tried again
// with backoff until the window closes. The window reads it all through Session().
#pragma once

#include "EveningSetup.h"
#include "Invitation.h"
#include "OnlineSeatStore.h"
#include "OnlineTableSession.h"
#include "ReconnectPlan.h"
#include "WebSocketLink.h"

#include "Form.h"
#include "Timer.h"

#include <functional>
#include <memory>
#include <string>

namespace DoDadu {

// What ends the tries, in words the window finds for it (none while all goes well).
enum class OnlineTrouble {
    None,
    NeedsWindows8,
    Unreachable,
    NotTheInvitedServer,
    UnknownCode,
    TableFull,
    NameTaken,
    BadName,
    OtherVersion,
    TooManyTries,
};

class OnlineEvening {
public:
    // The window's timers tick newsTick when news arrived and retryTick when the next try
    // is due; the owner calls OnNews and OnRetry for them. changed: called after every news.
    OnlineEvening(NeloUtility::Form& window, NeloUtility::TickEvent newsTick,
                  NeloUtility::TickEvent retryTick, std::function<void()> changed);
    ~OnlineEvening();
    OnlineEvening(const OnlineEvening&) = delete;
    OnlineEvening& operator=(const OnlineEvening&) = delete;

    // Sits at the table by its code with that name; or back at the seat of a token; or
    // creates a table on the server with the setup's rules and seats (its persons are
    // invited, the first of them is this player).
    void Join(const Invitation& table, const std::string& name);
    void Create(const Invitation& server, const std::string& name, const EveningSetup& setup);
    void Resume(const OnlineSeat& seat);

    TableSession& Session() { return table; }
    const OnlineTableSession& Table() const { return table; }
    OnlineTableSession& Table() { return table; }
    // The link dropped and is being tried again.
    bool Reconnecting() const { return reconnecting; }
    OnlineTrouble Trouble() const { return trouble; }
    // A seat is held (joined, made or taken back), and its token kept.
    bool HoldsSeat() const { return !token.empty(); }
    // The server of this table (its code aside), and the name this player sits by.
    const Invitation& Server() const { return where; }
    const std::string& Name() const { return name; }

    void OnNews();
    void OnRetry();

private:
    void Connect();
    void Dropped(LinkFault fault);
    void Refused(const std::string& error);
    void KeepSeat();

    NeloUtility::Form& form;
    std::function<void()> changed;
    NeloUtility::Timer* newsTimer = nullptr;
    NeloUtility::Timer* retryTimer = nullptr;
    std::unique_ptr<WebSocketLink> link;
    OnlineTableSession table;
    ReconnectPlan plan;
    Invitation where;
    std::string name;
    std::string token;
    std::string creating;  // the create message, until the table is made
    bool reconnecting = false;
    OnlineTrouble trouble = OnlineTrouble::None;
};

}  // namespace DoDadu
