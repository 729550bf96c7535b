#include "TableViewText.h"
#include "ProtocolCodec.h"
#include "WireNames.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>

namespace DoDadu {

using nlohmann::json;

namespace {

// A table view is written straight to text, not built as a json tree and then dumped:
// it is nearly all of a server's traffic, one for every seat at every step. Keys are
// written in sorted order, as a dumped json object has them, so the text is the same.
class ObjectText {
public:
    explicit ObjectText(std::string& out) : out(out) { out += '{'; }
    void Close() { out += '}'; }

    template <typename Value>
    void Put(const char* key, const Value& value) {
        Key(key);
        Append(value);
    }
    // The key, for a value the caller writes.
    std::string& Key(const char* key) {
        if (!first) out += ',';
        first = false;
        out += '"';
        out += key;
        out += "\":";
        return out;
    }

private:
    void Append(bool value) { out += value ? "true" : "false"; }
    void Append(int value) { Append(static_cast<std::int64_t>(value)); }
    void Append(std::int64_t value) {
        char digits[24];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }
    void Append(const char* name) {  // a wire name: plain letters and underscores
        out += '"';
        out += name;
        out += '"';
    }
    void Append(const std::string& text) {
        const bool plain = std::all_of(text.begin(), text.end(),
                                       [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
        if (!plain) {
            out += json(text).dump(-1, ' ', false, json::error_handler_t::replace);
            return;
        }
        out += '"';
        out += text;
        out += '"';
    }
    void Append(const std::vector<int>& list) {
        out += '[';
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (i > 0) out += ',';
            Append(list[i]);
        }
        out += ']';
    }
    void Append(double points) {  // a hand's points: whole or a half
        const double twice = points * 2.0;
        if (!(points >= 0.0 && points < 1e9 &&
              twice == static_cast<double>(static_cast<std::int64_t>(twice)))) {
            out += json(points).dump();
            return;
        }
        Append(static_cast<std::int64_t>(points));
        out += static_cast<std::int64_t>(twice) % 2 != 0 ? ".5" : ".0";
    }

    std::string& out;
    bool first = true;
};

}  // namespace

void RulesText(std::string& out, const HouseRules& rules) {
    ObjectText o(out);
    o.Put("cover", rules.cover);
    o.Put("double_pay", ToWire(rules.doublePay, kDoublePayNames));
    o.Put("max_stake", rules.maxStake);
    o.Put("min_stake", rules.minStake);
    o.Put("pass_every", rules.passEvery);
    o.Put("passing", ToWire(rules.passing, kPassingNames));
    const std::string preset = PresetName(rules);
    if (!preset.empty()) o.Put("preset", preset);
    o.Put("royal", rules.royalSevenAndHalf);
    o.Put("stake_step", rules.stakeStep);
    o.Put("two_card_takes_bank", rules.twoCardTakesBank);
    o.Put("wild_card", rules.wildCard);
    o.Close();
}

namespace {

void EventText(std::string& out, const SeenEvent& e) {
    ObjectText o(out);
    const bool presence = e.presence != PresenceMoment::None;
    if (!presence && (e.amount != 0 || e.moment == TableMoment::StakeSet ||
                      e.moment == TableMoment::SeatWins || e.moment == TableMoment::SeatLoses))
        o.Put("amount", e.amount);
    if (!presence && (e.moment == TableMoment::CardDealt || e.moment == TableMoment::SeatShowsBest ||
                      e.moment == TableMoment::SeatBusts || e.moment == TableMoment::BankTurnsCard))
        o.Put("card", e.card);
    if (!presence && e.moment == TableMoment::CardDealt) o.Put("covered", e.covered);
    o.Put("moment", presence ? ToWire(e.presence, kPresenceNames) : ToWire(e.moment, kMomentNames));
    if (!presence && e.points) o.Put("points", *e.points);
    if (!presence && e.moment == TableMoment::BankPasses) o.Put("reason", ToWire(e.reason, kReasonNames));
    if (e.seat >= 0) o.Put("seat", e.seat);
    o.Close();
}

void SeatText(std::string& out, const SeatView& s) {
    ObjectText o(out);
    o.Put("as_bank", s.asBank);
    o.Put("away", s.away);
    o.Put("cards", s.cards);
    o.Put("chips", s.chips);
    o.Put("connected", s.connected);
    o.Put("kind", ToWire(s.kind, kKindNames));
    o.Put("name", s.name);
    if (s.points) o.Put("points", *s.points);
    o.Put("seat", s.seat);
    o.Put("stake", s.stake);
    o.Put("status", ToWire(s.status, kStatusNames));
    o.Put("style", ToWire(s.style, kStyleNames));
    o.Put("taken", s.taken);
    o.Close();
}

template <typename Item, typename Write>
void ListText(std::string& out, const std::vector<Item>& items, Write write) {
    out += '[';
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ',';
        write(out, items[i]);
    }
    out += ']';
}

}  // namespace

std::string TableText(const TableView& t) {
    std::string out;
    out.reserve(4096);
    ObjectText o(out);
    std::string& actions = o.Key("actions");
    actions += '[';
    if (t.mayStake) actions += R"("stake")";
    if (t.mayDraw) actions += t.mayStake ? R"(,"card","stand")" : R"("card","stand")";
    actions += ']';
    o.Put("bank", t.bank);
    o.Put("bank_turn", t.bankTurn);
    o.Put("can_start", t.canStart);
    o.Put("chips", t.chips);
    o.Put("code", t.code);
    o.Put("creator", t.creator);
    ListText(o.Key("dealt"), t.dealt, [](std::string& to, const DealtCard& card) {
        ObjectText dealt(to);
        dealt.Put("card", card.card);
        dealt.Put("seat", card.seat);
        dealt.Close();
    });
    o.Put("dealt_before_refill", t.dealtBeforeRefill);
    o.Put("deck_left", t.deckLeft);
    if (t.phase == TablePhase::Over) o.Put("end_reason", ToWire(t.endReason, kEndReasonNames));
    ListText(o.Key("events"), t.events, EventText);
    o.Put("in_play", t.inPlay);
    o.Put("invitation", t.invitation);
    o.Put("phase", ToWire(t.phase, kPhaseNames));
    o.Put("rounds", t.rounds);
    o.Put("rounds_limit", t.roundsLimit);
    RulesText(o.Key("rules"), t.rules);
    ListText(o.Key("seats"), t.seats, SeatText);
    o.Put("seen_before", t.seenBefore);
    if (t.mayStake) {
        ObjectText stakes(o.Key("stakes"));
        stakes.Put("max", t.stakes.max);
        stakes.Put("min", t.stakes.min);
        stakes.Put("step", t.stakes.step);
        stakes.Close();
    }
    o.Put("start_total", t.startTotal);
    o.Put("to_act", t.toAct);
    o.Put("total", t.total);
    o.Put("type", "table");
    o.Put("v", kProtocolVersion);
    o.Put("you", t.you);
    o.Close();
    return out;
}

}  // namespace DoDadu
