#include "OnlineTable.h"
#include "Cards.h"
#include "ComputerPlayers.h"
#include "Digest.h"
#include "Invitation.h"
#include "NumberText.h"
#include "ProtocolCodec.h"
#include "SeatName.h"
#include "SeenTable.h"

#include <algorithm>
#include <ctime>

namespace DoDadu {

namespace {

std::int64_t Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::string Grouped(std::int64_t chips) {
    std::string digits = std::to_string(chips);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

}  // namespace

OnlineTable::OnlineTable(boost::asio::io_context& io, const TablePace& pace, const PlayerTable& players,
                         Hooks hooks, TableRecord stored)
    : timer(io), pace(pace), players(players), hooks(std::move(hooks)), record(std::move(stored)) {
    places.resize(record.plan.seats.size());
}

OnlineTable::~OnlineTable() { *alive = false; }

bool OnlineTable::Person(int seat) const {
    return record.plan.seats[static_cast<std::size_t>(seat)].kind == SeatKind::Person;
}

std::string OnlineTable::SeatName(int seat) const {
    return record.plan.seats[static_cast<std::size_t>(seat)].name;
}

// ---- the people at the table ------------------------------------------------------

int OnlineTable::Join(const std::string& name, const std::string& tokenHash, ProtocolError& why) {
    const auto& seats = record.plan.seats;
    for (std::size_t seat = 0; seat < seats.size(); ++seat) {
        if (record.taken[seat] && seats[seat].name == name) {
            why = ProtocolError::NameTaken;
            return -1;
        }
    }
    for (std::size_t seat = 0; seat < seats.size(); ++seat) {
        if (record.phase != TablePhase::Lobby || record.taken[seat] || seats[seat].kind != SeatKind::Person)
            continue;
        record.plan.seats[seat].name = name;
        record.taken[seat] = true;
        record.tokens[seat] = tokenHash;
        const int joined = static_cast<int>(seat);
        if (joined != record.creator) Tell(PresenceMoment::SeatJoins, joined);
        hooks.log(record.code + " " + name + " takes seat " + std::to_string(seat + 1));
        Keep();
        return joined;
    }
    why = ProtocolError::TableFull;
    return -1;
}

Peer* OnlineTable::Attach(int seat, Peer* link) {
    Place& place = places[static_cast<std::size_t>(seat)];
    Peer* before = place.link;
    place.link = link;
    if (before == nullptr && record.phase != TablePhase::Lobby) Tell(PresenceMoment::LinkBack, seat);
    place.away = false;
    place.pending.clear();
    SendSnapshot(seat);
    Flush();
    Advance();
    return before;
}

void OnlineTable::Detach(int seat, Peer* link) {
    Place& place = places[static_cast<std::size_t>(seat)];
    if (place.link != link) return;
    place.link = nullptr;
    place.lostAt = SteadyClock::now();
    if (record.phase == TablePhase::Playing) {
        Tell(PresenceMoment::LinkLost, seat);
        hooks.log(record.code + " " + SeatName(seat) + " lost the link");
    }
    Flush();
    Advance();
}

bool OnlineTable::HasLinks() const {
    return std::any_of(places.begin(), places.end(),
                       [](const Place& place) { return place.link != nullptr; });
}

void OnlineTable::Tell(PresenceMoment moment, int seat) {
    SeenEvent event;
    event.presence = moment;
    event.seat = seat;
    for (Place& place : places) place.pending.push_back(event);
}

// ---- what a seat asks --------------------------------------------------------------

std::optional<ProtocolError> OnlineTable::Act(int seat, const ClientMessage& message) {
    const bool creatorOnly = std::holds_alternative<struct GiveSeat>(message) ||
                             std::holds_alternative<StartEvening>(message) ||
                             std::holds_alternative<EndEvening>(message);
    if (creatorOnly && seat != record.creator) return ProtocolError::NotCreator;
    if (const auto* give = std::get_if<struct GiveSeat>(&message)) return GiveSeat(seat, *give);
    if (std::holds_alternative<StartEvening>(message)) return Start(seat);
    if (std::holds_alternative<EndEvening>(message)) {
        if (record.phase != TablePhase::Playing) return ProtocolError::NotNow;
        record.endAsked = true;
        Advance();
        return std::nullopt;
    }
    return Play(seat, message);
}

std::optional<ProtocolError> OnlineTable::GiveSeat(int, const struct GiveSeat& give) {
    if (record.phase != TablePhase::Lobby) return ProtocolError::NotNow;
    const auto seat = static_cast<std::size_t>(give.seat);
    if (seat >= record.plan.seats.size() || record.taken[seat] || !Person(give.seat))
        return ProtocolError::SeatNotFree;
    const auto name = CheckedSeatName(give.name.empty() ? "Seat " + std::to_string(seat + 1) : give.name);
    if (!name) return ProtocolError::BadName;
    for (std::size_t other = 0; other < record.plan.seats.size(); ++other)
        if (record.taken[other] && record.plan.seats[other].name == *name) return ProtocolError::NameTaken;
    record.plan.seats[seat] = {SeatKind::Computer, give.style, *name};
    record.taken[seat] = true;
    Tell(PresenceMoment::SeatGiven, give.seat);
    Keep();
    Flush();
    return std::nullopt;
}

std::optional<ProtocolError> OnlineTable::Start(int) {
    if (record.phase != TablePhase::Lobby ||
        std::find(record.taken.begin(), record.taken.end(), false) != record.taken.end())
        return ProtocolError::NotNow;
    MakeEvening();
    record.phase = TablePhase::Playing;
    evening->Save(store);
    Keep();
    hooks.log(record.code + " the evening starts");
    evening->StartRound();
    Flush();
    Advance();
    return std::nullopt;
}

void OnlineTable::MakeEvening() {
    std::vector<TableSeat> seats;
    for (const SeatPlan& plan : record.plan.seats) {
        TableSeat seat;
        seat.name = plan.name;
        seat.kind = plan.kind;
        seat.style = plan.kind == SeatKind::Computer ? plan.style : PlayStyle::Careful;
        seat.chips = record.plan.chips;
        seats.push_back(seat);
    }
    int bank = static_cast<int>(RandomBits() % seats.size());
    if (record.plan.rules.classicTable) bank = seats[0].kind == SeatKind::Computer ? 0 : 1;
    evening = std::make_unique<Evening>(record.plan.rules, seats, bank, cards);
    evening->SetPlayers(&players);
    evening->SetListener(this);
    evening->SetStore(&store);
}

bool OnlineTable::Restore() {
    const bool started = record.phase != TablePhase::Lobby;
    for (std::size_t seat = 0; seat < places.size(); ++seat) {
        // Persons come back with their tokens; until then their seats are held as after a
        // dropped link.
        places[seat].lostAt = SteadyClock::now();
    }
    if (!started) return true;
    MakeEvening();
    store.texts = record.evening;
    if (!evening->Load(store)) return false;
    Advance();
    return true;
}

std::optional<ProtocolError> OnlineTable::Play(int seat, const ClientMessage& message) {
    if (record.phase != TablePhase::Playing || !evening->RoundInPlay()) return ProtocolError::NotNow;
    if (evening->ToAct() != seat || evening->ComputerToAct()) return ProtocolError::OutOfTurn;
    const int roundsBefore = evening->RoundsPlayed();
    bool done = false;
    if (const auto* stake = std::get_if<SetStakeTo>(&message)) {
        const RoundSeat& own = evening->ThisRound().Seat(seat);
        const std::int64_t chips = evening->Seats()[static_cast<std::size_t>(seat)].chips;
        const bool allowed = !evening->BankTurn() && !own.stakeFixed && stake->amount > 0 &&
                             evening->Rules().StakeWithin(
                                 stake->amount, chips, evening->ThisRound().StakeTop(seat)) == stake->amount;
        if (!allowed) return ProtocolError::BadStake;
        done = evening->SetStake(static_cast<int>(stake->amount));
    } else if (std::holds_alternative<TakeCard>(message)) {
        done = evening->GetCard();
    } else if (std::holds_alternative<StandNow>(message)) {
        done = evening->Stand();
    }
    if (!done) return ProtocolError::NotNow;
    if (evening->RoundsPlayed() != roundsBefore) Keep();
    Flush();
    Advance();
    return std::nullopt;
}

// ---- the round's moments and the views ---------------------------------------------

void OnlineTable::OnTableEvent(const TableEvent& event) {
    const FullTableRound& round = evening->ThisRound();
    for (std::size_t seat = 0; seat < places.size(); ++seat) {
        if (places[seat].link == nullptr) continue;  // it will have a snapshot
        places[seat].pending.push_back(SeenMoment(event, round.SightOf(static_cast<int>(seat))));
    }
    if (event.moment == TableMoment::RoundEnds) LogRound();
}

void OnlineTable::LogRound() {
    std::string line = record.code + " round " + std::to_string(evening->RoundsPlayed()) + ":";
    const auto& seats = evening->Seats();
    for (std::size_t seat = 0; seat < seats.size(); ++seat) {
        line += seat == 0 ? " " : "; ";
        line += seats[seat].name;
        line += " " + Grouped(seats[seat].chips);
    }
    hooks.log(line);
}

TableView OnlineTable::ViewFor(int seat) const {
    TableView view;
    view.code = record.code;
    view.invitation = invitation;
    view.phase = record.phase;
    view.you = seat;
    view.creator = record.creator;
    view.rules = record.plan.rules;
    view.chips = record.plan.chips;
    view.roundsLimit = record.plan.rounds;
    view.endReason = record.endReason;
    const bool allTaken = std::find(record.taken.begin(), record.taken.end(), false) == record.taken.end();
    view.canStart = record.phase == TablePhase::Lobby && seat == record.creator && allTaken;
    for (std::size_t i = 0; i < places.size(); ++i) {
        SeatView one;
        const SeatPlan& plan = record.plan.seats[i];
        one.seat = static_cast<int>(i);
        one.name = record.taken[i] ? plan.name : std::string();
        one.kind = plan.kind;
        one.style = plan.kind == SeatKind::Computer ? plan.style : PlayStyle::Careful;
        one.taken = record.taken[i];
        one.connected = plan.kind == SeatKind::Person && places[i].link != nullptr;
        one.away = places[i].away;
        one.chips = record.plan.chips;
        view.seats.push_back(one);
    }
    view.total = view.startTotal = record.plan.chips * static_cast<std::int64_t>(places.size());
    view.deckLeft = 40;
    if (evening) FillRound(view, *evening);
    if (record.phase != TablePhase::Playing) view.mayDraw = view.mayStake = false;
    return view;
}

void OnlineTable::SendSnapshot(int seat) {
    Place& place = places[static_cast<std::size_t>(seat)];
    if (place.link == nullptr) return;
    place.link->Send(EncodeServer(ViewFor(seat)));
}

// Every connected seat that has moments to hear gets its view with them.
void OnlineTable::Flush() {
    for (std::size_t seat = 0; seat < places.size(); ++seat) {
        Place& place = places[seat];
        if (place.link != nullptr && !place.pending.empty()) {
            TableView view = ViewFor(static_cast<int>(seat));
            view.events = std::move(place.pending);
            place.link->Send(EncodeServer(view));
        }
        place.pending.clear();
    }
}

// Stores the table: the lobby as it is, an evening as it stood after its last round.
void OnlineTable::Keep() {
    if (evening) record.evening = store.texts;
    if (hooks.store) hooks.store(record);
}

// ---- the table's own pace ----------------------------------------------------------

// What comes next without a person: a computer's step, a stand-in's for a person gone
// too long, the next deal, or the evening's end.
void OnlineTable::Advance() {
    if (record.phase != TablePhase::Playing) return;
    if (!evening->RoundInPlay()) {
        const bool roundsDone = record.plan.rounds > 0 && evening->RoundsPlayed() >= record.plan.rounds;
        if (evening->Over()) return Finish(EndReason::Chips);
        if (roundsDone) return Finish(EndReason::Rounds);
        if (record.endAsked) return Finish(EndReason::Creator);
        return Schedule(pace.roundPause);
    }
    const int seat = evening->ToAct();
    const Place& place = places[static_cast<std::size_t>(seat)];
    if (evening->ComputerToAct() || place.away) return Schedule(pace.computerStep);
    if (place.link == nullptr) {
        const auto left = place.lostAt + pace.seatHold - SteadyClock::now();
        Schedule(std::max(std::chrono::duration_cast<std::chrono::milliseconds>(left), pace.computerStep));
        return;
    }
    timer.cancel();  // a person to act, here
}

void OnlineTable::Schedule(std::chrono::milliseconds after) {
    timer.expires_after(after);
    std::weak_ptr<bool> still = alive;
    timer.async_wait([this, still](const boost::system::error_code& error) {
        if (!error && !still.expired()) OnTimer();
    });
}

void OnlineTable::OnTimer() {
    MarkAway();
    if (record.phase != TablePhase::Playing) return;
    const int roundsBefore = evening->RoundsPlayed();
    if (!evening->RoundInPlay()) {
        Advance();  // the end, if it has come
        if (record.phase != TablePhase::Playing) return;
        evening->StartRound();
    } else if (evening->ComputerToAct()) {
        evening->ComputerStep();
    } else if (places[static_cast<std::size_t>(evening->ToAct())].away) {
        StandIn();
    }
    if (evening->RoundsPlayed() != roundsBefore) Keep();
    Flush();
    Advance();
}

void OnlineTable::MarkAway() {
    const auto now = SteadyClock::now();
    for (std::size_t seat = 0; seat < places.size(); ++seat) {
        Place& place = places[seat];
        if (!Person(static_cast<int>(seat)) || place.link != nullptr || place.away) continue;
        if (record.phase != TablePhase::Playing || now - place.lostAt < pace.seatHold) continue;
        place.away = true;
        Tell(PresenceMoment::SeatAway, static_cast<int>(seat));
        hooks.log(record.code + " " + SeatName(static_cast<int>(seat)) +
                  " is away: a careful computer plays");
    }
}

// A careful computer plays the seat of a person gone too long, at the minimum stake.
void OnlineTable::StandIn() {
    ComputerPlayer* careful = players.For(PlayStyle::Careful);
    const FullTableRound& round = evening->ThisRound();
    const int seat = evening->ToAct();
    bool draws = false;
    if (evening->BankTurn()) {
        draws = careful->BankDraws(round.SightOfBank());
    } else {
        if (!round.Seat(seat).stakeFixed) evening->SetStake(evening->Rules().minStake);
        draws = careful->Draws(round.SightOf(seat));
    }
    if (draws)
        evening->GetCard();
    else
        evening->Stand();
}

void OnlineTable::Finish(EndReason reason) {
    timer.cancel();
    record.phase = TablePhase::Over;
    record.endReason = reason;
    record.ended = Now();
    if (reason != EndReason::Chips) {
        SeenEvent end;
        end.moment = TableMoment::EveningEnds;
        for (Place& place : places) place.pending.push_back(end);
    }
    hooks.log(record.code + " the evening is over after " + std::to_string(evening->RoundsPlayed()) +
              " rounds");
    Keep();
    Flush();
}

}  // namespace DoDadu
