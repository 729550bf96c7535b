#include "OnlineEvening.h"

#include "ProtocolCodec.h"

#include <algorithm>

namespace DoDadu {

using namespace NeloUtility;

namespace {

// A server's refusal of the seat asked for, in the words the window finds for it.
OnlineTrouble TroubleOf(const std::string& error) {
    static const struct {
        const char* error;
        OnlineTrouble trouble;
    } known[] = {
        {"unknown_code", OnlineTrouble::UnknownCode},
        {"bad_token", OnlineTrouble::UnknownCode},
        {"table_full", OnlineTrouble::TableFull},
        {"name_taken", OnlineTrouble::NameTaken},
        {"bad_name", OnlineTrouble::BadName},
        {"unsupported_version", OnlineTrouble::OtherVersion},
        {"too_many_tries", OnlineTrouble::TooManyTries},
    };
    for (const auto& k : known)
        if (error == k.error) return k.trouble;
    return OnlineTrouble::None;
}

// A fault of the link that no second try mends.
OnlineTrouble TroubleOf(LinkFault fault) {
    switch (fault) {
        case LinkFault::NeedsWindows8: return OnlineTrouble::NeedsWindows8;
        case LinkFault::NotTheInvitedServer:
        case LinkFault::PlainNotLocal: return OnlineTrouble::NotTheInvitedServer;
        default: return OnlineTrouble::None;
    }
}

}  // namespace

OnlineEvening::OnlineEvening(Form& window, TickEvent newsTick, TickEvent retryTick,
                             std::function<void()> onChange)
    : form(window), changed(std::move(onChange)), table([this](const std::string& m) {
          if (link != nullptr) link->Send(m);
      }) {
    newsTimer = new Timer(&form, 1000);  // never started: the link posts its ticks
    newsTimer->Tick = newsTick;
    newsTimer->Create();
    retryTimer = new Timer(&form, 1000);
    retryTimer->Tick = retryTick;
    retryTimer->Create();
}

OnlineEvening::~OnlineEvening() {
    link.reset();
    DeleteElement(newsTimer);
    DeleteElement(retryTimer);
}

void OnlineEvening::Join(const Invitation& at, const std::string& playerName) {
    where = at;
    name = playerName;
    token.clear();
    Connect();
}

void OnlineEvening::Create(const Invitation& server, const std::string& playerName,
                           const EveningSetup& setup) {
    where = server;
    where.code.clear();
    name = playerName;
    token.clear();
    const std::int64_t chips = setup.seats.empty() ? kStartingChips : setup.seats.front().chips;
    CreateTable table{playerName, setup.rules, {}, chips, 0};
    for (const TableSeat& seat : setup.seats)
        table.seats.push_back(seat.kind == SeatKind::Person
                                  ? SeatPlan{SeatKind::Person, PlayStyle::Careful, ""}
                                  : SeatPlan{SeatKind::Computer, seat.style, seat.name});
    creating = EncodeClient(table);
    Connect();
}

void OnlineEvening::Resume(const OnlineSeat& seat) {
    const auto at = ParseInvitation(seat.invitation);
    if (!at || seat.token.empty()) {
        OnlineSeat forgotten = seat;  // a seat that cannot be named is not tried again
        forgotten.token.clear();
        WriteOnlineSeat(forgotten);
        trouble = OnlineTrouble::UnknownCode;
        return;
    }
    where = *at;
    name = seat.name;
    token = seat.token;
    Connect();
}

// A new link to the table's server, asking for the seat at once (the link holds the
// message until it opens, and drops it if it never does). A server on this computer
// without a fingerprint is spoken to in plain WebSocket, any other over TLS.
void OnlineEvening::Connect() {
    LinkAddress to;
    to.host = where.host;
    to.port = where.port;
    to.pin = where.fingerprint;
    to.secure = !(where.host == "127.0.0.1" && where.fingerprint.empty());
    HWND window = form.window;
    const auto id = static_cast<WPARAM>(newsTimer->commandId);
    link = std::make_unique<WebSocketLink>([window, id] { PostMessageW(window, WM_TIMER, id, 0); });
    link->Open(to, EncodeClient(Ping{}));
    if (!token.empty())
        link->Send(EncodeClient(ResumeSeat{token}));
    else if (!creating.empty())
        link->Send(creating);
    else
        link->Send(EncodeClient(JoinTable{where.code, name}));
}

void OnlineEvening::OnNews() {
    if (link == nullptr) return;
    const LinkNews news = link->Take();
    for (const std::string& message : news.messages) {
        if (!table.Receive(message)) continue;
        if (!table.Token().empty() && table.Token() != token) {
            token = table.Token();
            creating.clear();
            KeepSeat();
        }
        if (!table.LastError().empty()) Refused(table.LastError());
        if (link == nullptr) break;
    }
    if (link != nullptr && news.state == LinkState::Open && !table.Answering()) {
        table.SetLinked(true);
        plan.Opened();
        reconnecting = false;
    }
    if (link != nullptr && news.state == LinkState::Closed) Dropped(news.fault);
    // An evening over is not rejoined by the next run.
    if (table.Phase() == OnlinePhase::Over && !token.empty()) {
        token.clear();
        KeepSeat();
    }
    if (changed) changed();
}

// A refusal of the seat ends the tries; one of a move at the table (out of turn, say) does not.
void OnlineEvening::Refused(const std::string& error) {
    const OnlineTrouble why = TroubleOf(error);
    if (why == OnlineTrouble::None) return;
    if (error == "bad_token") {
        token.clear();
        KeepSeat();
    }
    trouble = why;
    reconnecting = false;
    table.SetLinked(false);
    link.reset();
}

void OnlineEvening::Dropped(LinkFault fault) {
    table.SetLinked(false);
    link.reset();
    trouble = TroubleOf(fault);
    // A server never reached for a seat not yet held (nor a table made): say so rather than wait.
    if (trouble == OnlineTrouble::None && fault == LinkFault::Unreachable && token.empty())
        trouble = OnlineTrouble::Unreachable;
    if (trouble != OnlineTrouble::None || table.Over()) {
        reconnecting = false;
        return;
    }
    reconnecting = true;
    retryTimer->interval = std::max(plan.NextDelay(), 10);
    retryTimer->Start();
}

void OnlineEvening::OnRetry() {
    retryTimer->Stop();
    if (reconnecting && link == nullptr) Connect();
}

void OnlineEvening::KeepSeat() {
    OnlineSeat seat = ReadOnlineSeat();
    Invitation kept = where;  // the server reached, not one a message names
    if (!table.Code().empty()) kept.code = table.Code();
    seat.invitation = InvitationText(kept);
    seat.token = token;
    seat.name = name;
    WriteOnlineSeat(seat);
}

}  // namespace DoDadu
