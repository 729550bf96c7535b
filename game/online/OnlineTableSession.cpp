#include "OnlineTableSession.h"

#include "ProtocolCodec.h"

#include <algorithm>

namespace DoDadu {

namespace {

bool Within(int value, int least, int most) { return value >= least && value <= most; }

// A sight that can be drawn: seats numbered in order, every seat number on the table, no
// negative chips or stakes, no hand longer than the deck.
bool Sound(const TableView& t) {
    const int count = static_cast<int>(t.seats.size());
    if (!Within(count, kMinSeats, kMaxSeats)) return false;
    if (!Within(t.you, 0, count - 1) || !Within(t.creator, 0, count - 1) || !Within(t.bank, 0, count - 1) ||
        !Within(t.toAct, -1, count - 1) || t.rounds < 0 || t.deckLeft < 0 || t.deckLeft > 40)
        return false;
    for (int i = 0; i < count; ++i) {
        const SeatView& seat = t.seats[static_cast<std::size_t>(i)];
        if (seat.seat != i || seat.chips < 0 || seat.stake < 0 || seat.cards.size() > 40) return false;
    }
    const auto onTable = [count](int seat) { return Within(seat, 0, count - 1); };
    if (!std::all_of(t.dealt.begin(), t.dealt.end(), [&](const DealtCard& d) { return onTable(d.seat); }))
        return false;
    return std::all_of(t.events.begin(), t.events.end(), [count](const SeenEvent& e) {
        return Within(e.seat, -1, count - 1) && e.amount >= 0;
    });
}

}  // namespace

// Reads a server's sight into the session; one place that knows the protocol's structures.
struct OnlineSightReader {
    static void Take(OnlineTableSession& s, const TableView& t) {
        s.code = t.code;
        s.invitation = t.invitation;
        s.phase = t.phase == TablePhase::Lobby     ? OnlinePhase::Lobby
                  : t.phase == TablePhase::Playing ? OnlinePhase::Playing
                                                   : OnlinePhase::Over;
        s.you = t.you;
        s.creator = t.creator;
        s.canStart = t.canStart;
        s.rules = t.rules;
        s.bank = t.bank;
        s.toAct = t.inPlay ? t.toAct : -1;
        s.bankTurn = t.bankTurn;
        s.inPlay = t.inPlay;
        s.mayStake = t.mayStake;
        s.mayDraw = t.mayDraw;
        s.mostStake = t.mayStake ? t.stakes.max : 0;
        s.rounds = t.rounds;
        s.startingChips = t.chips;
        s.endedBy = t.phase == TablePhase::Over ? t.endReason : EndReason::None;
        s.seats.clear();
        s.round.clear();
        for (const SeatView& seat : t.seats) {
            TableSeat sitting;
            sitting.name = seat.name;
            sitting.kind = seat.kind;
            sitting.style = seat.style;
            sitting.chips = seat.chips;
            sitting.roundsAsBank = seat.asBank;
            s.seats.push_back(sitting);
            RoundSeat play;
            play.hand = seat.cards;
            play.stake = seat.stake;
            play.status = seat.status;
            play.stakeFixed = !(seat.seat == t.you && t.mayStake);
            s.round.push_back(play);
        }
        s.deck = OnlineTableSession::Deck{};
        for (const DealtCard& card : t.dealt) {
            s.deck.dealtSeats.push_back(card.seat);
            s.deck.dealtCards.push_back(card.card);
        }
        s.deck.dealtBeforeRefill = t.dealtBeforeRefill;
        s.deck.seenBefore = t.seenBefore;
        s.deck.left = t.deckLeft;
    }
};

OnlineTableSession::OnlineTableSession(Send sendToServer) : send(std::move(sendToServer)) {}

bool OnlineTableSession::Receive(const std::string& text) {
    const Decoded<ServerMessage> decoded = DecodeServer(text);
    if (!decoded.ok) return false;
    if (const auto* seated = std::get_if<Seated>(&decoded.message)) {
        token = seated->token;
        code = seated->code;
        invitation = seated->invitation;
        return true;
    }
    if (const auto* refused = std::get_if<ErrorReply>(&decoded.message)) {
        lastError = ErrorName(refused->code);
        return true;
    }
    const auto* sight = std::get_if<TableView>(&decoded.message);
    if (sight == nullptr) return std::holds_alternative<Pong>(decoded.message);
    if (!Sound(*sight)) return false;
    OnlineSightReader::Take(*this, *sight);
    lastError.clear();
    for (const SeenEvent& seen : sight->events) {
        if (seen.presence != PresenceMoment::None && seen.seat != you && seen.seat >= 0)
            presence.push_back(Presence{seen.presence, seen.seat});
        if (seen.presence != PresenceMoment::None || listener == nullptr) continue;
        const bool endedOtherwise = endedBy == EndReason::Rounds || endedBy == EndReason::Creator;
        if (seen.moment == TableMoment::EveningEnds && endedOtherwise) continue;
        TableEvent event;
        event.moment = seen.moment;
        event.seat = seen.seat;
        event.card = seen.card;
        event.covered = seen.covered;
        event.points = seen.points.value_or(0.0);
        event.amount = seen.amount;
        event.reason = seen.reason;
        listener->OnTableEvent(event);
    }
    return true;
}

void OnlineTableSession::SetLinked(bool up) { linked = up; }

const RoundSeat& OnlineTableSession::InRound(int seat) const {
    static const RoundSeat none;
    return seat >= 0 && seat < static_cast<int>(round.size()) ? round[static_cast<std::size_t>(seat)] : none;
}

bool OnlineTableSession::CoveredCardShown(int seat) const {
    const RoundSeat& play = InRound(seat);
    return !play.hand.empty() && play.hand.front() != 0;
}

std::int64_t OnlineTableSession::CoverLeft(int seat) const {
    return seat == you && mayStake ? mostStake : kMostStake;
}

RoundSight OnlineTableSession::Sight(int self) const {
    RoundSight sight;
    sight.rules = rules;
    sight.self = self;
    sight.bank = bank;
    for (std::size_t i = 0; i < seats.size(); ++i) {
        SeenSeat seen;
        seen.cards = round[i].hand;
        seen.stake = round[i].stake;
        seen.status = round[i].status;
        seen.chips = seats[i].chips;
        seen.kind = seats[i].kind;
        seen.style = seats[i].style;
        sight.seats.push_back(seen);
    }
    for (std::size_t i = 0; i < deck.dealtCards.size(); ++i)
        sight.dealt.push_back(DealtCard{deck.dealtSeats[i], deck.dealtCards[i]});
    sight.dealtBeforeRefill = deck.dealtBeforeRefill;
    sight.seenBefore = deck.seenBefore;
    sight.deckLeft = deck.left;
    return sight;
}

SeatSight OnlineTableSession::SightOf(int seat) const {
    SeatSight sight;
    static_cast<RoundSight&>(sight) = Sight(seat);
    return sight;
}

BankSight OnlineTableSession::SightOfBank() const {
    BankSight sight;
    static_cast<RoundSight&>(sight) = Sight(bank);
    return sight;
}

std::vector<OnlineTableSession::Presence> OnlineTableSession::TakePresence() {
    std::vector<Presence> told;
    told.swap(presence);
    return told;
}

bool OnlineTableSession::MayStartRound() const {
    return Answering() && phase == OnlinePhase::Lobby && Creator() && canStart;
}

bool OnlineTableSession::StartRound() {
    if (!MayStartRound()) return false;
    send(EncodeClient(StartEvening{}));
    return true;
}

bool OnlineTableSession::MayGiveSeat(int seat) const { return Answering() && Creator() && SeatFree(seat); }

bool OnlineTableSession::GiveToComputer(int seat, PlayStyle style, const std::string& name) {
    if (!MayGiveSeat(seat)) return false;
    send(EncodeClient(GiveSeat{seat, style, name}));
    return true;
}

bool OnlineTableSession::SetStake(int stake) {
    if (!Answering() || !mayStake) return false;
    send(EncodeClient(SetStakeTo{stake}));
    return true;
}

bool OnlineTableSession::GetCard() {
    if (!Answering() || !mayDraw) return false;
    send(EncodeClient(TakeCard{}));
    return true;
}

bool OnlineTableSession::Stand() {
    if (!Answering() || !mayDraw) return false;
    send(EncodeClient(StandNow{}));
    return true;
}

}  // namespace DoDadu
