#include "TableHall.h"
#include "Digest.h"
#include "Evening.h"
#include "ProtocolCodec.h"
#include "RoomCode.h"
#include "SeatName.h"

#include <algorithm>
#include <ctime>
#include <set>

namespace DoDadu {

namespace {

std::int64_t Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

const char* StyleName(PlayStyle style) {
    switch (style) {
        case PlayStyle::Bold: return "Bold";
        case PlayStyle::Expert: return "Expert";
        default: return "Careful";
    }
}

bool TokenShape(const std::string& token) {
    return token.size() == 32 && std::all_of(token.begin(), token.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

TableHall::TableHall(boost::asio::io_context& io, HallSettings settings, Log log)
    : io(io), settings(std::move(settings)), log(std::move(log)), expiry(io) {
    players.Set(PlayStyle::Careful, &careful);
    players.Set(PlayStyle::Bold, &bold);
    players.Set(PlayStyle::Expert, &expert);
    if (!this->settings.stateFolder.empty()) files.emplace(this->settings.stateFolder);
    ScheduleExpiry();
}

TableHall::~TableHall() = default;

bool TableHall::Restore() {
    if (!files) return true;
    if (!files->Ready()) return false;
    std::vector<std::string> skipped;
    for (TableRecord& record : files->ReadAll(skipped)) {
        const std::string code = record.code;
        OnlineTable& table = Add(std::move(record));
        if (!table.Restore()) {
            log("state: the evening of " + code + " cannot be read back; the table is left out");
            tables.erase(code);
        }
    }
    for (const std::string& name : skipped) log("state: " + name + " is damaged and left out");
    for (const auto& [code, table] : tables) {
        const TableRecord& record = table->Record();
        for (std::size_t seat = 0; seat < record.tokens.size(); ++seat)
            if (!record.tokens[seat].empty()) tokens[record.tokens[seat]] = {code, static_cast<int>(seat)};
    }
    log("state: " + std::to_string(tables.size()) + " tables back from " + settings.stateFolder);
    return true;
}

OnlineTable& TableHall::Add(TableRecord record) {
    const std::string code = record.code;
    OnlineTable::Hooks hooks{[this](const TableRecord& r) { Store(r); }, log};
    auto table =
        std::make_unique<OnlineTable>(io, settings.pace, players, std::move(hooks), std::move(record));
    Invitation invitation = settings.address;
    invitation.code = code;
    table->SetInvitation(InvitationText(invitation));
    return *(tables[code] = std::move(table));
}

void TableHall::Store(const TableRecord& record) {
    if (files && !files->Write(record)) log("state: " + record.code + " could not be written");
}

// ---- one frame ---------------------------------------------------------------------

void TableHall::Refuse(Peer& peer, ProtocolError error, const std::string& about, int retryAfter) {
    peer.Send(EncodeServer(ErrorReply{error, ErrorSentence(error), about, retryAfter}));
}

void TableHall::Receive(Peer& peer, const std::string& text) {
    const Decoded<ClientMessage> decoded = DecodeClient(text);
    if (!decoded.ok) return Refuse(peer, decoded.error, decoded.about);
    const ClientMessage& message = decoded.message;
    const char* about = TypeName(message);
    if (std::holds_alternative<Ping>(message)) return peer.Send(EncodeServer(Pong{}));
    const auto found = seated.find(&peer);
    const bool entering = std::holds_alternative<CreateTable>(message) ||
                          std::holds_alternative<JoinTable>(message) ||
                          std::holds_alternative<ResumeSeat>(message);
    if (entering && found != seated.end()) return Refuse(peer, ProtocolError::AlreadySeated, about);
    if (const auto* create = std::get_if<CreateTable>(&message)) return Create(peer, *create);
    if (const auto* join = std::get_if<JoinTable>(&message)) return Join(peer, *join);
    if (const auto* resume = std::get_if<ResumeSeat>(&message)) return Resume(peer, *resume);
    if (found == seated.end()) return Refuse(peer, ProtocolError::NotSeated, about);
    if (auto refused = found->second.table->Act(found->second.seat, message)) Refuse(peer, *refused, about);
}

void TableHall::Gone(Peer& peer) {
    const auto found = seated.find(&peer);
    if (found == seated.end()) return;
    const SeatOf at = found->second;
    seated.erase(found);
    at.table->Detach(at.seat, &peer);
}

// ---- entering a table --------------------------------------------------------------

// Names, rules and seats checked; computers without a name named after their style.
std::optional<ProtocolError> TableHall::PlanFault(CreateTable& create) const {
    const auto name = CheckedSeatName(create.name);
    if (!name) return ProtocolError::BadName;
    create.name = *name;
    if (!create.rules.Valid() || create.chips < create.rules.minStake) return ProtocolError::BadRules;
    std::vector<TableSeat> seats;
    int bank = 0;
    std::set<std::string> names{create.name};
    int persons = 0;
    int counts[kPlayStyleCount] = {};
    for (SeatPlan& plan : create.seats) {
        if (plan.kind == SeatKind::Person) {
            ++persons;
            plan.name.clear();
        } else {
            const int count = ++counts[static_cast<int>(plan.style)];
            if (plan.name.empty())
                plan.name = StyleName(plan.style) + (count > 1 ? " " + std::to_string(count) : std::string());
            const auto checked = CheckedSeatName(plan.name);
            if (!checked) return ProtocolError::BadName;
            plan.name = *checked;
            if (!names.insert(plan.name).second) return ProtocolError::NameTaken;
            bank = static_cast<int>(seats.size());
        }
        TableSeat seat;
        seat.kind = plan.kind;
        seat.style = plan.style;
        seat.chips = create.chips;
        seats.push_back(seat);
    }
    if (persons == 0) return ProtocolError::BadSeats;
    if (!Evening::SeatingFault(create.rules, seats, bank, &players).empty()) return ProtocolError::BadSeats;
    return std::nullopt;
}

std::string TableHall::FreshCode() const {
    for (;;) {
        std::string code = RoomCodeOf(RandomBits());
        if (tables.count(code) == 0) return code;
    }
}

void TableHall::Create(Peer& peer, const CreateTable& asked) {
    if (tables.size() >= settings.mostTables) return Refuse(peer, ProtocolError::ServerBusy, "create");
    CreateTable create = asked;
    if (auto fault = PlanFault(create)) return Refuse(peer, *fault, "create");
    TableRecord record;
    record.code = FreshCode();
    record.created = Now();
    record.plan = create;
    for (const SeatPlan& plan : create.seats) record.taken.push_back(plan.kind == SeatKind::Computer);
    record.tokens.assign(create.seats.size(), std::string());
    const auto creator = std::find_if(create.seats.begin(), create.seats.end(),
                                      [](const SeatPlan& plan) { return plan.kind == SeatKind::Person; });
    record.creator = static_cast<int>(creator - create.seats.begin());
    OnlineTable& table = Add(std::move(record));
    log(table.Code() + " created by " + create.name + " with " + std::to_string(create.seats.size()) +
        " seats");
    const std::string token = RandomHex(16);
    ProtocolError why = ProtocolError::TableFull;
    const int seat = table.Join(create.name, Sha256Hex(token), why);
    Seat(peer, table, seat, token);
}

bool TableHall::Blocked(Peer& peer, const char* about) {
    const int wait = limiter.WaitFor(peer.Address(), JoinLimiter::Clock::now());
    if (wait > 0) Refuse(peer, ProtocolError::TooManyTries, about, wait);
    return wait > 0;
}

void TableHall::Failed(Peer& peer, ProtocolError error, const char* about) {
    limiter.Failed(peer.Address(), JoinLimiter::Clock::now());
    Refuse(peer, error, about);
}

void TableHall::Join(Peer& peer, const JoinTable& join) {
    if (Blocked(peer, "join")) return;
    const auto code = NormalRoomCode(join.code);
    const auto found = code ? tables.find(*code) : tables.end();
    if (found == tables.end() || found->second->Phase() == TablePhase::Over)
        return Failed(peer, ProtocolError::UnknownCode, "join");
    const auto name = CheckedSeatName(join.name);
    if (!name) return Failed(peer, ProtocolError::BadName, "join");
    const std::string token = RandomHex(16);
    ProtocolError why = ProtocolError::TableFull;
    const int seat = found->second->Join(*name, Sha256Hex(token), why);
    if (seat < 0) return Failed(peer, why, "join");
    Seat(peer, *found->second, seat, token);
}

void TableHall::Seat(Peer& peer, OnlineTable& table, int seat, const std::string& token) {
    tokens[Sha256Hex(token)] = {table.Code(), seat};
    seated[&peer] = {&table, seat};
    peer.Send(EncodeServer(Seated{table.Code(), seat, token, table.ViewInvitation()}));
    if (Peer* before = table.Attach(seat, &peer)) {
        seated.erase(before);
        Refuse(*before, ProtocolError::Replaced);
        before->Close(1000);
    }
}

void TableHall::Resume(Peer& peer, const ResumeSeat& resume) {
    if (Blocked(peer, "resume")) return;
    const std::string token = Lower(resume.token);
    const auto found = TokenShape(token) ? tokens.find(Sha256Hex(token)) : tokens.end();
    const auto table = found != tokens.end() ? tables.find(found->second.first) : tables.end();
    if (table == tables.end()) return Failed(peer, ProtocolError::BadToken, "resume");
    log(table->first + " " +
        table->second->Record().plan.seats[static_cast<std::size_t>(found->second.second)].name + " is back");
    Seat(peer, *table->second, found->second.second, token);
}

// ---- codes that expire -------------------------------------------------------------

void TableHall::ScheduleExpiry() {
    expiry.expires_after(std::chrono::minutes(1));
    expiry.async_wait([this](const boost::system::error_code& error) {
        if (error) return;
        Expire();
        ScheduleExpiry();
    });
}

// A code unused for its life goes: a table whose evening never started, or one whose
// evening has been over that long.
void TableHall::Expire() {
    const std::int64_t now = Now();
    const std::int64_t life = std::chrono::duration_cast<std::chrono::seconds>(settings.codeLife).count();
    limiter.Prune(JoinLimiter::Clock::now());
    for (auto it = tables.begin(); it != tables.end();) {
        const TableRecord& record = it->second->Record();
        const bool stale = (record.phase == TablePhase::Lobby && now - record.created >= life) ||
                           (record.phase == TablePhase::Over && now - record.ended >= life);
        if (!stale || it->second->HasLinks()) {
            ++it;
            continue;
        }
        log(record.code + " expires");
        for (const std::string& hash : record.tokens) tokens.erase(hash);
        if (files) files->Remove(record.code);
        it = tables.erase(it);
    }
}

}  // namespace DoDadu
