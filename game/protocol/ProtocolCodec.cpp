// The messages as JSON objects. Decoding reads hostile text: nlohmann's parser without
// exceptions, and every field checked for its kind and range before it is taken.
#include "ProtocolCodec.h"
#include "TableViewText.h"
#include "WireNames.h"

#include <nlohmann/json.hpp>

#include <limits>

namespace DoDadu {

using nlohmann::json;

namespace {

constexpr std::int64_t kMostChips = 1000000000000000;  // far beyond any evening
constexpr int kMostSeatIndex = 64;
constexpr int kMostCards = 80;  // entries of a list of cards

// A field read from a decoded object: any problem makes the whole message malformed.
class Reader {
public:
    explicit Reader(const json& object) : object(object) {}
    bool Ok() const { return ok; }
    void Fail() { ok = false; }

    const json* Field(const char* key) {
        const auto found = object.find(key);
        if (found == object.end()) return nullptr;
        return &*found;
    }
    std::int64_t Integer(const char* key, std::int64_t least, std::int64_t most, std::int64_t absent = 0,
                         bool required = true) {
        const json* value = Field(key);
        if (value == nullptr) {
            if (required) Fail();
            return absent;
        }
        return IntegerOf(*value, least, most);
    }
    int Small(const char* key, int least, int most) { return static_cast<int>(Integer(key, least, most)); }
    int OptionalSmall(const char* key, int least, int most, int absent) {
        return static_cast<int>(Integer(key, least, most, absent, false));
    }
    std::int64_t IntegerOf(const json& value, std::int64_t least, std::int64_t most) {
        std::int64_t number = 0;
        if (value.is_number_unsigned()) {
            const auto big = value.get<std::uint64_t>();
            if (big > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                return Fail(), least;
            number = static_cast<std::int64_t>(big);
        } else if (value.is_number_integer()) {
            number = value.get<std::int64_t>();
        } else {
            return Fail(), least;
        }
        if (number < least || number > most) return Fail(), least;
        return number;
    }
    bool Flag(const char* key, bool required = true) {
        const json* value = Field(key);
        if (value == nullptr || !value->is_boolean()) {
            if (value != nullptr || required) Fail();
            return false;
        }
        return value->get<bool>();
    }
    std::string Text(const char* key, bool required = true) {
        const json* value = Field(key);
        if (value == nullptr || !value->is_string()) {
            if (value != nullptr || required) Fail();
            return std::string();
        }
        return value->get<std::string>();
    }
    std::optional<double> Points(const char* key) {
        const json* value = Field(key);
        if (value == nullptr) return std::nullopt;
        if (!value->is_number()) return Fail(), std::nullopt;
        const double points = value->get<double>();
        if (!(points >= 0.0 && points <= 100.0)) return Fail(), std::nullopt;
        return points;
    }
    template <typename Enum, std::size_t N>
    Enum Named(const char* key, const WireName<Enum> (&names)[N], Enum absent, bool required = true) {
        const json* value = Field(key);
        if (value == nullptr) {
            if (required) Fail();
            return absent;
        }
        Enum result = absent;
        if (!value->is_string() || !FromWire(value->get<std::string>(), names, result)) Fail();
        return result;
    }
    std::vector<int> Cards(const char* key) {
        std::vector<int> cards;
        const json* value = Field(key);
        if (value == nullptr || !value->is_array() || value->size() > kMostCards) return Fail(), cards;
        for (const json& card : *value) cards.push_back(static_cast<int>(IntegerOf(card, 0, 40)));
        return cards;
    }

private:
    const json& object;
    bool ok = true;
};

// ---- rules ---------------------------------------------------------------------------

bool SameRules(const HouseRules& a, const HouseRules& b) {
    return a.wildCard == b.wildCard && a.doublePay == b.doublePay &&
           a.royalSevenAndHalf == b.royalSevenAndHalf && a.cover == b.cover &&
           a.twoCardTakesBank == b.twoCardTakesBank && a.passing == b.passing &&
           (a.passing != BankPassing::EveryRounds || a.passEvery == b.passEvery) &&
           a.minStake == b.minStake && a.maxStake == b.maxStake && a.stakeStep == b.stakeStep &&
           a.classicTable == b.classicTable;
}

const struct {
    const char* name;
    HouseRules (*rules)();
} kPresets[] = {
    {"italian", &HouseRules::Italian}, {"spanish", &HouseRules::Spanish}, {"classic", &HouseRules::Classic}};

bool PresetRules(const std::string& name, HouseRules& rules) {
    for (const auto& preset : kPresets) {
        if (name == preset.name) {
            rules = preset.rules();
            return true;
        }
    }
    return false;
}

// The rules as a tree, for a message built as one: written once, as text, in RulesText.
json RulesJson(const HouseRules& rules) {
    std::string text;
    RulesText(text, rules);
    return json::parse(text);
}

HouseRules RulesOf(const json* value, Reader& outer) {
    HouseRules rules;
    if (value == nullptr) return outer.Fail(), rules;
    if (value->is_string()) {
        if (!PresetRules(value->get<std::string>(), rules)) outer.Fail();
        return rules;
    }
    if (!value->is_object()) return outer.Fail(), rules;
    Reader in(*value);
    rules.wildCard = in.Flag("wild_card");
    rules.doublePay = in.Named("double_pay", kDoublePayNames, DoublePay::None);
    rules.royalSevenAndHalf = in.Flag("royal");
    rules.twoCardTakesBank = in.Flag("two_card_takes_bank");
    rules.passing = in.Named("passing", kPassingNames, BankPassing::Never);
    rules.passEvery = in.OptionalSmall("pass_every", 0, 10000, 0);
    rules.minStake = in.Small("min_stake", 0, static_cast<int>(kMostStake));
    rules.maxStake = in.Small("max_stake", 0, static_cast<int>(kMostStake));
    rules.stakeStep = in.Small("stake_step", 0, static_cast<int>(kMostStake));
    rules.cover = in.Flag("cover");
    rules.classicTable = in.Text("preset", false) == "classic";
    if (!in.Ok()) outer.Fail();
    return rules;
}

// ---- client messages -----------------------------------------------------------------

struct ClientEncoder {
    json operator()(const CreateTable& m) const {
        json seats = json::array();
        for (const SeatPlan& seat : m.seats) {
            json one = {{"kind", ToWire(seat.kind, kKindNames)}};
            if (seat.kind == SeatKind::Computer) one["style"] = ToWire(seat.style, kStyleNames);
            if (!seat.name.empty()) one["name"] = seat.name;
            seats.push_back(one);
        }
        return {{"name", m.name},
                {"rules", RulesJson(m.rules)},
                {"seats", seats},
                {"chips", m.chips},
                {"rounds", m.rounds}};
    }
    json operator()(const JoinTable& m) const { return {{"code", m.code}, {"name", m.name}}; }
    json operator()(const ResumeSeat& m) const { return {{"token", m.token}}; }
    json operator()(const GiveSeat& m) const {
        json out = {{"seat", m.seat}, {"style", ToWire(m.style, kStyleNames)}};
        if (!m.name.empty()) out["name"] = m.name;
        return out;
    }
    json operator()(const SetStakeTo& m) const { return {{"amount", m.amount}}; }
    template <typename Bare>
    json operator()(const Bare&) const {
        return json::object();
    }
};

std::vector<SeatPlan> SeatPlansOf(const json* value, Reader& outer) {
    std::vector<SeatPlan> plans;
    if (value == nullptr || !value->is_array() || value->size() > kMostSeatIndex) return outer.Fail(), plans;
    for (const json& one : *value) {
        if (!one.is_object()) return outer.Fail(), plans;
        Reader in(one);
        SeatPlan plan;
        plan.kind = in.Named("kind", kKindNames, SeatKind::Person);
        if (plan.kind == SeatKind::Computer) plan.style = in.Named("style", kStyleNames, PlayStyle::Careful);
        plan.name = in.Text("name", false);
        if (!in.Ok()) return outer.Fail(), plans;
        plans.push_back(plan);
    }
    return plans;
}

bool ClientBody(const std::string& type, Reader& in, ClientMessage& message) {
    if (type == "create") {
        CreateTable m;
        m.name = in.Text("name");
        m.rules = RulesOf(in.Field("rules"), in);
        m.seats = SeatPlansOf(in.Field("seats"), in);
        m.chips = in.Integer("chips", 0, kMostChips, kStartingChips, false);
        m.rounds = static_cast<int>(in.Integer("rounds", 0, 1000000, 0, false));
        message = m;
    } else if (type == "join") {
        message = JoinTable{in.Text("code"), in.Text("name")};
    } else if (type == "resume") {
        message = ResumeSeat{in.Text("token")};
    } else if (type == "give_seat") {
        GiveSeat m;
        m.seat = in.Small("seat", 0, kMostSeatIndex);
        m.style = in.Named("style", kStyleNames, PlayStyle::Careful);
        m.name = in.Text("name", false);
        message = m;
    } else if (type == "stake") {
        message = SetStakeTo{in.Integer("amount", std::numeric_limits<std::int64_t>::min(),
                                        std::numeric_limits<std::int64_t>::max())};
    } else if (type == "start") {
        message = StartEvening{};
    } else if (type == "card") {
        message = TakeCard{};
    } else if (type == "stand") {
        message = StandNow{};
    } else if (type == "end") {
        message = EndEvening{};
    } else if (type == "ping") {
        message = Ping{};
    } else {
        return false;
    }
    return true;
}

// ---- server messages -----------------------------------------------------------------

std::string Envelope(const char* type, json body) {
    body["v"] = kProtocolVersion;
    body["type"] = type;
    return body.dump(-1, ' ', false, json::error_handler_t::replace);
}

struct ServerEncoder {
    std::string operator()(const Seated& m) const {
        return Envelope(
            "seated", {{"code", m.code}, {"seat", m.seat}, {"token", m.token}, {"invitation", m.invitation}});
    }
    std::string operator()(const TableView& m) const { return TableText(m); }
    std::string operator()(const ErrorReply& m) const {
        json out = {{"code", ErrorName(m.code)}, {"message", m.message}};
        if (!m.about.empty()) out["about"] = m.about;
        if (m.retryAfter > 0) out["retry_after"] = m.retryAfter;
        return Envelope("error", std::move(out));
    }
    std::string operator()(const Pong&) const { return Envelope("pong", json::object()); }
};

SeenEvent EventOf(const json& value, Reader& outer) {
    SeenEvent e;
    if (!value.is_object()) return outer.Fail(), e;
    Reader in(value);
    const std::string moment = in.Text("moment");
    if (!FromWire(moment, kPresenceNames, e.presence) && !FromWire(moment, kMomentNames, e.moment)) in.Fail();
    e.seat = in.OptionalSmall("seat", -1, kMostSeatIndex, -1);
    e.card = in.OptionalSmall("card", 0, 40, 0);
    e.covered = in.Flag("covered", false);
    e.points = in.Points("points");
    e.amount = in.Integer("amount", -kMostChips, kMostChips, 0, false);
    e.reason = in.Named("reason", kReasonNames, PassReason::None, false);
    if (!in.Ok()) outer.Fail();
    return e;
}

SeatView SeatOf(const json& value, Reader& outer) {
    SeatView s;
    if (!value.is_object()) return outer.Fail(), s;
    Reader in(value);
    s.seat = in.Small("seat", 0, kMostSeatIndex);
    s.name = in.Text("name");
    s.kind = in.Named("kind", kKindNames, SeatKind::Person);
    s.style = in.Named("style", kStyleNames, PlayStyle::Careful);
    s.taken = in.Flag("taken");
    s.connected = in.Flag("connected");
    s.away = in.Flag("away");
    s.chips = in.Integer("chips", 0, kMostChips);
    s.asBank = in.OptionalSmall("as_bank", 0, std::numeric_limits<int>::max(), 0);
    s.stake = static_cast<int>(in.Integer("stake", 0, std::numeric_limits<int>::max()));
    s.status = in.Named("status", kStatusNames, SeatStatus::SitsOut);
    s.cards = in.Cards("cards");
    s.points = in.Points("points");
    if (!in.Ok()) outer.Fail();
    return s;
}

template <typename Item, typename Read>
std::vector<Item> ListOf(const json* value, Reader& in, std::size_t most, Read read) {
    std::vector<Item> items;
    if (value == nullptr || !value->is_array() || value->size() > most) return in.Fail(), items;
    for (const json& one : *value) items.push_back(read(one, in));
    return items;
}

TableView TableOf(Reader& in) {
    TableView t;
    t.code = in.Text("code");
    t.invitation = in.Text("invitation");
    t.phase = in.Named("phase", kPhaseNames, TablePhase::Lobby);
    t.you = in.Small("you", 0, kMostSeatIndex);
    t.creator = in.Small("creator", 0, kMostSeatIndex);
    t.rules = RulesOf(in.Field("rules"), in);
    t.chips = in.Integer("chips", 0, kMostChips);
    t.rounds = in.Small("rounds", 0, std::numeric_limits<int>::max());
    t.roundsLimit = in.Small("rounds_limit", 0, std::numeric_limits<int>::max());
    t.canStart = in.Flag("can_start");
    t.inPlay = in.Flag("in_play");
    t.bank = in.Small("bank", 0, kMostSeatIndex);
    t.toAct = in.Small("to_act", -1, kMostSeatIndex);
    t.bankTurn = in.Flag("bank_turn");
    const json* actions = in.Field("actions");
    if (actions == nullptr || !actions->is_array() || actions->size() > 3) in.Fail();
    for (const json& action : actions != nullptr && actions->is_array() ? *actions : json::array()) {
        const std::string name = action.is_string() ? action.get<std::string>() : std::string();
        if (name == "stake")
            t.mayStake = true;
        else if (name == "card" || name == "stand")
            t.mayDraw = true;
        else
            in.Fail();
    }
    if (t.mayStake) {
        const json* stakes = in.Field("stakes");
        if (stakes == nullptr || !stakes->is_object()) {
            in.Fail();
        } else {
            Reader range(*stakes);
            t.stakes = {range.Small("min", 0, std::numeric_limits<int>::max()),
                        range.Small("max", 0, std::numeric_limits<int>::max()),
                        range.Small("step", 0, std::numeric_limits<int>::max())};
            if (!range.Ok()) in.Fail();
        }
    }
    t.seats = ListOf<SeatView>(in.Field("seats"), in, kMostSeatIndex, SeatOf);
    t.dealt = ListOf<DealtCard>(in.Field("dealt"), in, kMostCards, [](const json& value, Reader& outer) {
        DealtCard card;
        if (!value.is_object()) return outer.Fail(), card;
        Reader one(value);
        card.seat = one.Small("seat", 0, kMostSeatIndex);
        card.card = one.Small("card", 0, 40);
        if (!one.Ok()) outer.Fail();
        return card;
    });
    t.dealtBeforeRefill = in.Small("dealt_before_refill", -1, kMostCards);
    t.seenBefore = in.Cards("seen_before");
    t.deckLeft = in.Small("deck_left", 0, 40);
    t.total = in.Integer("total", 0, kMostChips);
    t.startTotal = in.Integer("start_total", 0, kMostChips);
    if (t.phase == TablePhase::Over) t.endReason = in.Named("end_reason", kEndReasonNames, EndReason::None);
    t.events = ListOf<SeenEvent>(in.Field("events"), in, 1000, EventOf);
    return t;
}

bool ServerBody(const std::string& type, Reader& in, ServerMessage& message) {
    if (type == "seated") {
        Seated m;
        m.code = in.Text("code");
        m.seat = in.Small("seat", 0, kMostSeatIndex);
        m.token = in.Text("token");
        m.invitation = in.Text("invitation");
        message = m;
    } else if (type == "table") {
        message = TableOf(in);
    } else if (type == "error") {
        ErrorReply m;
        if (!ErrorFromName(in.Text("code"), m.code)) in.Fail();
        m.message = in.Text("message");
        m.about = in.Text("about", false);
        m.retryAfter = in.OptionalSmall("retry_after", 0, 1000000, 0);
        message = m;
    } else if (type == "pong") {
        message = Pong{};
    } else {
        return false;
    }
    return true;
}

// The envelope: an object, "v": 1 and a "type", then the body by type.
template <typename Message, typename Body>
Decoded<Message> DecodeWith(const std::string& text, Body body) {
    Decoded<Message> out;
    const json parsed = json::parse(text, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) return out;
    const auto type = parsed.find("type");
    if (type != parsed.end() && type->is_string()) out.about = type->get<std::string>();
    const auto version = parsed.find("v");
    if (version == parsed.end() || !version->is_number_integer() ||
        version->get<std::int64_t>() != kProtocolVersion) {
        out.error = ProtocolError::UnsupportedVersion;
        return out;
    }
    if (type == parsed.end() || !type->is_string()) return out;
    Reader in(parsed);
    if (!body(out.about, in, out.message)) {
        out.error = ProtocolError::UnknownType;
        return out;
    }
    out.ok = in.Ok();
    return out;
}

}  // namespace

std::string PresetName(const HouseRules& rules) {
    for (const auto& preset : kPresets) {
        if (SameRules(rules, preset.rules())) return preset.name;
    }
    return std::string();
}

const char* TypeName(const ClientMessage& message) {
    static const char* const names[] = {"create", "join", "resume", "give_seat", "start",
                                        "stake",  "card", "stand",  "end",       "ping"};
    return names[message.index()];
}

std::string EncodeClient(const ClientMessage& message) {
    return Envelope(TypeName(message), std::visit(ClientEncoder{}, message));
}

std::string EncodeServer(const ServerMessage& message) { return std::visit(ServerEncoder{}, message); }

Decoded<ClientMessage> DecodeClient(const std::string& text) {
    return DecodeWith<ClientMessage>(text, ClientBody);
}

Decoded<ServerMessage> DecodeServer(const std::string& text) {
    return DecodeWith<ServerMessage>(text, ServerBody);
}

}  // namespace DoDadu
