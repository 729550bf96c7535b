#include "TableClient.h"
#include "ProtocolCodec.h"
#include "ViewSight.h"

#include <cmath>
#include <iostream>

namespace DoDadu {

namespace {

constexpr std::chrono::seconds kComeBackWithin{120};
constexpr std::chrono::seconds kPingEvery{20};

std::string Grouped(std::int64_t chips) {
    std::string digits = std::to_string(chips < 0 ? -chips : chips);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return (chips < 0 ? "-" : "") + digits;
}

std::string PointsText(double points) {
    const long halves = std::lround(points * 2);
    return std::to_string(halves / 2) + (halves % 2 != 0 ? ".5" : "");
}

}  // namespace

TableClient::TableClient(ClientOptions options) : options(std::move(options)) {
    tls.set_default_verify_paths();
    if (!this->options.frameLog.empty()) frames.open(this->options.frameLog, std::ios::app);
}

int TableClient::Run() {
    Connect();
    KeepAlive();
    io.run();
    return exitCode < 0 ? kRefused : exitCode;
}

ComputerPlayer& TableClient::Player() {
    if (options.play == PlayStyle::Expert) return expert;
    if (options.play == PlayStyle::Bold) return bold;
    return careful;
}

void TableClient::Stop(int code, const std::string& why) {
    if (exitCode >= 0) return;
    exitCode = code;
    if (!why.empty()) std::cerr << "zandro-table-client: " << why << std::endl;
    retry.cancel();
    ping.cancel();
    if (link) link->Close();
    // Whatever is still under way ends with the loop.
    io.stop();
}

// ---- the link ----------------------------------------------------------------------

void TableClient::Connect() {
    ClientLink::Handlers handlers{[this] { OnOpen(); }, [this](const std::string& text) { OnFrame(text); },
                                  [this](LinkEnd how, const std::string& why) { OnEnded(how, why); }};
    link = ClientLink::Open(io, options.tls ? &tls : nullptr, options, std::move(handlers));
}

void TableClient::OnOpen() {
    awaiting = false;
    if (!token.empty()) {
        link->Send(EncodeClient(ResumeSeat{token}));
    } else if (options.create) {
        link->Send(EncodeClient(options.plan));
    } else {
        link->Send(EncodeClient(JoinTable{options.code, options.name}));
    }
}

// A link that drops after the seat was had comes back with its token, with backoff,
// for up to two minutes.
void TableClient::OnEnded(LinkEnd how, const std::string& why) {
    if (exitCode >= 0) return;
    if (how == LinkEnd::PinMismatch)
        return Stop(kPinMismatch, "the server's certificate does not match --pin; nothing was sent");
    if (token.empty()) return Stop(kUnreachable, "cannot reach the server: " + why);
    const auto now = std::chrono::steady_clock::now();
    if (!dropped) {
        dropped = true;
        droppedAt = now;
        backoff = std::chrono::milliseconds(250);
        std::cerr << "zandro-table-client: link lost (" << why << "), reconnecting" << std::endl;
    }
    if (now - droppedAt > kComeBackWithin)
        return Stop(kUnreachable, "the link did not come back in two minutes");
    retry.expires_after(backoff);
    backoff = std::min(backoff * 2, std::chrono::milliseconds(4000));
    retry.async_wait([this](const boost::system::error_code& error) {
        if (!error) Connect();
    });
}

void TableClient::KeepAlive() {
    ping.expires_after(kPingEvery);
    ping.async_wait([this](const boost::system::error_code& error) {
        if (error) return;
        if (link) link->Ping();
        KeepAlive();
    });
}

// ---- what the server says ----------------------------------------------------------

void TableClient::OnFrame(const std::string& text) {
    if (frames.is_open()) frames << text << '\n' << std::flush;
    const Decoded<ServerMessage> decoded = DecodeServer(text);
    if (!decoded.ok) return Stop(kRefused, "the server sent a message this client cannot read");
    if (const auto* seated = std::get_if<Seated>(&decoded.message)) {
        if (dropped) std::cerr << "zandro-table-client: back at seat " << seated->seat + 1 << std::endl;
        dropped = false;
        if (token.empty() && options.create) std::cout << "code: " << seated->code << std::endl;
        token = seated->token;
    } else if (const auto* view = std::get_if<TableView>(&decoded.message)) {
        OnTable(*view);
    } else if (const auto* error = std::get_if<ErrorReply>(&decoded.message)) {
        OnError(*error);
    }
}

void TableClient::OnError(const ErrorReply& error) {
    const std::string what = std::string(ErrorName(error.code)) + " (" + error.message + ")";
    if (token.empty() || error.code == ProtocolError::Replaced || error.code == ProtocolError::BadToken)
        return Stop(kRefused, "refused: " + what);
    std::cerr << "zandro-table-client: refused " << error.about << ": " << what << std::endl;
    awaiting = false;
}

void TableClient::OnTable(const TableView& view) {
    if (view.events.empty() || AnswersUs(view)) awaiting = false;
    if (view.phase == TablePhase::Lobby) {
        if (options.create && view.canStart && !started) {
            started = true;
            link->Send(EncodeClient(StartEvening{}));
        }
        return;
    }
    PrintRound(view);
    if (view.phase == TablePhase::Over) return Finish(view);
    Play(view);
}

// A table that carries a moment of this seat's own doing answers its last action.
bool TableClient::AnswersUs(const TableView& view) const {
    for (const SeenEvent& event : view.events) {
        if (event.presence != PresenceMoment::None || event.seat != view.you) continue;
        switch (event.moment) {
            case TableMoment::StakeSet:
            case TableMoment::CardDealt:
            case TableMoment::SeatStands:
            case TableMoment::SeatBusts:
            case TableMoment::BankStands:
            case TableMoment::BankBusts: return true;
            default: break;
        }
    }
    return false;
}

// The seat's turn: its stake once, then a card or a stand, as its style decides from
// exactly what the view shows.
void TableClient::Play(const TableView& view) {
    if (!view.mayDraw || awaiting) return;
    SeatSight sight = SightOfView(view);
    const int round = view.rounds;
    if (view.mayStake && stakedRound != round) {
        stakedRound = round;
        const std::int64_t chips = view.seats[static_cast<std::size_t>(view.you)].chips;
        const int stake = view.rules.StakeWithin(Player().Stake(sight), chips);
        if (stake != view.seats[static_cast<std::size_t>(view.you)].stake) return Act(SetStakeTo{stake});
    }
    bool draws = false;
    if (view.bankTurn) {
        BankSight bank;
        static_cast<RoundSight&>(bank) = sight;
        draws = Player().BankDraws(bank);
    } else {
        draws = Player().Draws(sight);
    }
    if (draws)
        Act(TakeCard{});
    else
        Act(StandNow{});
}

void TableClient::Act(const ClientMessage& message) {
    awaiting = true;
    link->Send(EncodeClient(message));
}

void TableClient::PrintRound(const TableView& view) {
    bool ended = false;
    for (const SeenEvent& event : view.events)
        ended = ended || (event.presence == PresenceMoment::None && event.moment == TableMoment::RoundEnds);
    if (!ended || view.rounds == lastPrinted) return;
    lastPrinted = view.rounds;
    const SeatView& own = view.seats[static_cast<std::size_t>(view.you)];
    std::string line = "round " + std::to_string(view.rounds) + ": " + own.name;
    if (own.cards.empty()) {
        line += " sat out";
    } else {
        line += " " + PointsText(own.points.value_or(0)) + " with " + std::to_string(own.cards.size()) +
                (own.cards.size() == 1 ? " card" : " cards");
        if (own.status == SeatStatus::Bust) line += ", bust";
    }
    line += "; chips " + Grouped(own.chips);
    std::cout << line << std::endl;
}

void TableClient::Finish(const TableView& view) {
    std::string line = "chips:";
    for (std::size_t seat = 0; seat < view.seats.size(); ++seat) {
        line += seat == 0 ? " " : "; ";
        line += view.seats[seat].name;
        line += " " + Grouped(view.seats[seat].chips);
    }
    std::cout << line << std::endl;
    std::cout << "total: " << Grouped(view.total) << " chips (start " << Grouped(view.startTotal) << ")"
              << std::endl;
    if (view.total != view.startTotal) return Stop(kRefused, "the chips do not add up");
    Stop(0, std::string());
}

}  // namespace DoDadu
