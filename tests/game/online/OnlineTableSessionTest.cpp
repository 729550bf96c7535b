// The server's messages as the full table's window meets them: the sight a seat is sent,
// the moments told, the messages asked, and hostile or broken messages that change nothing.
#include "OnlineTableSession.h"
#include "PresenceSentence.h"
#include "ReconnectPlan.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace DoDadu {
namespace {

using nlohmann::json;

// Marco's sight in his turn (seat 1 of three): his covered card 27, the others' unseen.
json MarcosTurn() {
    const auto seat = [](int number, const char* name, const char* kind, json cards, const char* status) {
        return json{{"seat", number},    {"name", name},      {"kind", kind},     {"style", "careful"},
                    {"taken", true},     {"connected", true}, {"away", false},    {"chips", 50000},
                    {"as_bank", number}, {"stake", 0},        {"status", status}, {"cards", cards}};
    };
    return json{
        {"v", 1},
        {"type", "table"},
        {"code", "7KQ2MX"},
        {"invitation", "zandro://127.0.0.1:9000/7KQ2MX"},
        {"phase", "playing"},
        {"you", 1},
        {"creator", 0},
        {"can_start", false},
        {"rules", "italian"},
        {"chips", 50000},
        {"rounds", 0},
        {"rounds_limit", 0},
        {"in_play", true},
        {"bank", 2},
        {"to_act", 1},
        {"bank_turn", false},
        {"actions", {"stake", "card", "stand"}},
        {"stakes", {{"min", 500}, {"max", 4000}, {"step", 500}}},
        {"seats",
         {seat(0, "Nonna", "person", {0}, "standing"), seat(1, "Marco", "person", {27}, "playing"),
          seat(2, "Tino", "computer", {0}, "waiting")}},
        {"dealt", {{{"seat", 2}, {"card", 0}}, {{"seat", 0}, {"card", 0}}, {{"seat", 1}, {"card", 27}}}},
        {"dealt_before_refill", -1},
        {"seen_before", json::array()},
        {"deck_left", 37},
        {"total", 150000},
        {"start_total", 150000},
        {"events",
         {{{"moment", "seat_stands"}, {"seat", 0}},
          {{"moment", "turn_starts"}, {"seat", 1}, {"points", 7}}}}};
}

// The same table before the evening starts, nothing dealt.
json Lobby() {
    json lobby = MarcosTurn();
    lobby["phase"] = "lobby";
    lobby["in_play"] = false;
    lobby["to_act"] = -1;
    lobby["actions"] = json::array();
    lobby.erase("stakes");
    return lobby;
}

struct Told : TableListener {
    std::vector<TableEvent> events;
    void OnTableEvent(const TableEvent& event) override { events.push_back(event); }
};

struct Online : ::testing::Test {
    std::vector<std::string> sent;
    Told told;
    OnlineTableSession session{[this](const std::string& m) { sent.push_back(json::parse(m)["type"]); }};
    void SetUp() override {
        session.SetListener(&told);
        session.SetLinked(true);
    }
};

TEST_F(Online, ShowsTheSeatWhatTheServerSentAndTellsItsMoments) {
    EXPECT_FALSE(session.Answering()) << "nothing to show before the first sight";
    ASSERT_TRUE(session.Receive(MarcosTurn().dump()));
    EXPECT_TRUE(session.Answering());
    EXPECT_EQ(1, session.You());
    EXPECT_EQ(1, session.PersonsHere()) << "only Marco plays from this screen";
    EXPECT_TRUE(session.PlayedHere(1));
    EXPECT_FALSE(session.PlayedHere(0));
    EXPECT_EQ(1, session.ToAct());
    EXPECT_EQ("Tino", session.Seats()[2].name);
    EXPECT_EQ(2, session.Seats()[2].roundsAsBank) << "the standings show it";
    EXPECT_EQ(std::vector<int>{27}, session.InRound(1).hand);
    EXPECT_FALSE(session.InRound(1).stakeFixed);
    const SeatSight sight = session.SightOf(1);
    EXPECT_EQ(std::vector<int>{27}, sight.Hand());
    EXPECT_EQ(0, sight.seats[0].cards[0]) << "never a card it was not sent";
    EXPECT_EQ(3u, sight.dealt.size());
    EXPECT_EQ(37, sight.deckLeft);
    ASSERT_EQ(2u, told.events.size());
    EXPECT_EQ(TableMoment::SeatStands, told.events[0].moment);
    EXPECT_EQ(TableMoment::TurnStarts, told.events[1].moment);
    EXPECT_EQ(7.0, told.events[1].points);
    EXPECT_FALSE(session.ComputerDue()) << "the server paces its computers";
}

TEST_F(Online, AsksOnlyWhatTheServerAllowsAndNothingWhileTheLinkIsDown) {
    ASSERT_TRUE(session.Receive(MarcosTurn().dump()));
    EXPECT_TRUE(session.SetStake(2000));
    EXPECT_TRUE(session.GetCard());
    EXPECT_TRUE(session.Stand());
    EXPECT_FALSE(session.StartRound()) << "the evening is under way";
    EXPECT_EQ((std::vector<std::string>{"stake", "card", "stand"}), sent);
    session.SetLinked(false);
    EXPECT_FALSE(session.Answering());
    EXPECT_FALSE(session.GetCard());
    session.SetLinked(true);
    json waiting = MarcosTurn();
    waiting["to_act"] = 0;
    waiting["actions"] = json::array();
    ASSERT_TRUE(session.Receive(waiting.dump()));
    EXPECT_FALSE(session.GetCard()) << "out of turn";
    EXPECT_FALSE(session.SetStake(500));
    EXPECT_EQ(3u, sent.size());
    json lobby = MarcosTurn();
    lobby["phase"] = "lobby";
    lobby["you"] = 0;
    lobby["can_start"] = true;
    ASSERT_TRUE(session.Receive(lobby.dump()));
    EXPECT_TRUE(session.StartRound()) << "the creator starts from the lobby";
    EXPECT_EQ("start", sent.back());
}

// The newer rules as the screen meets them: the covered cards the server sent, the stake's
// top where the bank's cover holds it, and a 7.5 shown at once told as its own moment.
TEST_F(Online, ShowsTheCoverAndTheSevenAndAHalfTheServerSends) {
    json table = MarcosTurn();
    table["rules"] = {{"wild_card", true},
                      {"double_pay", "any"},
                      {"royal", true},
                      {"cover", true},
                      {"two_card_takes_bank", false},
                      {"passing", "never"},
                      {"min_stake", 500},
                      {"max_stake", 4000},
                      {"stake_step", 500}};
    table["stakes"]["max"] = 1500;
    table["seats"][0]["cards"] = {12, 30};
    table["events"] = {{{"moment", "seat_shows_best"}, {"seat", 0}, {"card", 12}, {"points", 7.5}},
                       {{"moment", "bank_cannot_cover"}, {"seat", 2}}};
    ASSERT_TRUE(session.Receive(table.dump()));
    EXPECT_EQ(DoublePay::Any, session.Rules().doublePay);
    EXPECT_TRUE(session.Rules().royalSevenAndHalf);
    EXPECT_TRUE(session.Rules().cover);
    EXPECT_EQ(1500, session.CoverLeft(1)) << "the server's range holds to the cover";
    EXPECT_EQ(kMostStake, session.CoverLeft(0)) << "no stake of another seat is asked here";
    for (const auto& [seat, shown] : {std::pair{0, true}, {1, true}, {2, false}})
        EXPECT_EQ(shown, session.CoveredCardShown(seat)) << seat;
    ASSERT_EQ(2u, told.events.size());
    EXPECT_EQ(TableMoment::SeatShowsBest, told.events[0].moment);
    EXPECT_EQ(12, told.events[0].card);
    EXPECT_EQ(TableMoment::BankCannotCover, told.events[1].moment);
    table["actions"] = json::array();
    table.erase("stakes");
    ASSERT_TRUE(session.Receive(table.dump()));
    EXPECT_EQ(kMostStake, session.CoverLeft(1)) << "no range once the stake is not asked";
}

// Only the creator starts, and only once the server says the table can; the others'
// comings and goings are kept to be said once, the seat's own are not.
TEST_F(Online, TheCreatorStartsAndTheOthersComingsAndGoingsAreToldOnce) {
    json lobby = Lobby();
    lobby["events"] = {{{"moment", "seat_joins"}, {"seat", 0}},
                       {{"moment", "seat_joins"}, {"seat", 1}},
                       {{"moment", "link_lost"}, {"seat", 2}},
                       {{"moment", "seat_away"}, {"seat", 2}}};
    for (const auto& [you, canStart, mayStart] :
         {std::tuple{1, true, false}, {0, false, false}, {0, true, true}}) {
        lobby["you"] = you;
        lobby["can_start"] = canStart;
        ASSERT_TRUE(session.Receive(lobby.dump()));
        EXPECT_EQ(mayStart, session.MayStartRound()) << you << canStart;
        session.TakePresence();
    }
    lobby["you"] = 1;
    ASSERT_TRUE(session.Receive(lobby.dump()));
    const auto told = session.TakePresence();
    ASSERT_EQ(3u, told.size()) << "Marco's own joining is not told to him";
    EXPECT_EQ(PresenceMoment::SeatJoins, told[0].moment);
    EXPECT_EQ(0, told[0].seat);
    EXPECT_EQ(PresenceMoment::SeatAway, told[2].moment);
    EXPECT_TRUE(session.TakePresence().empty()) << "each said once";
    EXPECT_TRUE(this->told.events.empty()) << "no moment of the round";
    session.SetLinked(false);
    lobby["you"] = 0;
    ASSERT_TRUE(session.Receive(lobby.dump()));
    EXPECT_FALSE(session.MayStartRound()) << "not while the link is down";
}

// Only the creator gives a seat to a computer, and only a person seat nobody has taken,
// before the evening starts.
TEST_F(Online, TheCreatorGivesOnlyAFreePersonSeatToAComputer) {
    json lobby = Lobby();
    lobby["seats"][1]["name"] = "";
    lobby["seats"][1]["taken"] = false;
    lobby["events"] = json::array();
    const struct {
        int you;
        const char* phase;
        int seat;
        bool may;
    } cases[] = {{0, "lobby", 1, true},  {0, "lobby", 0, false}, {0, "lobby", 2, false},
                 {2, "lobby", 1, false}, {0, "lobby", 3, false}, {0, "playing", 1, false}};
    for (const auto& c : cases) {
        lobby["you"] = c.you;
        lobby["phase"] = c.phase;
        ASSERT_TRUE(session.Receive(lobby.dump()));
        EXPECT_EQ(c.may, session.MayGiveSeat(c.seat)) << c.you << c.phase << c.seat;
        EXPECT_EQ(c.may, session.GiveToComputer(c.seat, PlayStyle::Bold, "Tino"))
            << c.you << c.phase << c.seat;
        EXPECT_EQ(std::string(c.phase) == "lobby" ? std::vector<int>{1} : std::vector<int>{},
                  session.FreeSeats());
    }
    EXPECT_EQ(std::vector<std::string>{"give_seat"}, sent) << "asked once, by the creator";
    lobby["you"] = 0;
    lobby["phase"] = "lobby";
    ASSERT_TRUE(session.Receive(lobby.dump()));
    session.SetLinked(false);
    EXPECT_FALSE(session.GiveToComputer(1, PlayStyle::Bold, "Tino")) << "not while the link is down";
}

// An evening ended by its rounds or its creator is not told as one ended by the chips.
TEST_F(Online, AnEveningEndedOtherwiseThanByTheChipsIsNotToldAsSo) {
    json over = Lobby();
    over["phase"] = "over";
    over["events"] = {{{"moment", "evening_ends"}}};
    for (const auto& [reason, ended, toldAsMoment] : {std::tuple{"chips", EndReason::Chips, true},
                                                      {"rounds", EndReason::Rounds, false},
                                                      {"creator", EndReason::Creator, false}}) {
        told.events.clear();
        over["end_reason"] = reason;
        ASSERT_TRUE(session.Receive(over.dump())) << reason;
        EXPECT_EQ(ended, session.EndedBy());
        EXPECT_TRUE(session.Over());
        EXPECT_EQ(toldAsMoment, told.events.size() == 1u) << reason;
    }
    ASSERT_TRUE(session.Receive(MarcosTurn().dump()));
    EXPECT_EQ(EndReason::None, session.EndedBy()) << "only an evening that is over has ended";
}

TEST(PresenceSentence, NamesTheSeatInEachLanguage) {
    const struct {
        TextIds::Language language;
        PresenceMoment moment;
        const char* said;
    } cases[] = {
        {TextIds::Language::English, PresenceMoment::SeatJoins, "New at the table: Nonna."},
        {TextIds::Language::English, PresenceMoment::LinkBack, "Back at the table: Nonna."},
        {TextIds::Language::Italian, PresenceMoment::LinkLost,
         "Connessione persa: Nonna; il posto resta suo."},
        {TextIds::Language::Spanish, PresenceMoment::SeatGiven,
         "Un jugador del ordenador ocupa el asiento libre: Nonna."},
        {TextIds::Language::English, PresenceMoment::None, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.said, PresenceSentence(TableTexts(c.language), c.moment, "Nonna")) << c.said;
}

TEST_F(Online, AHostileOrBrokenMessageChangesNothing) {
    ASSERT_TRUE(session.Receive(MarcosTurn().dump()));
    const std::size_t toldBefore = told.events.size();
    const std::vector<std::function<void(json&)>> spoil = {
        [](json& t) { t["seats"].push_back(t["seats"][0]); },  // seat numbers out of order
        [](json& t) {
            for (int i = 0; i < 4; ++i) t["seats"].push_back(t["seats"][0]);
        },
        [](json& t) { t["seats"] = {t["seats"][0]}; },
        [](json& t) { t["you"] = 3; },
        [](json& t) { t["you"] = -1; },
        [](json& t) { t["bank"] = 7; },
        [](json& t) { t["to_act"] = 3; },
        [](json& t) { t["seats"][0]["chips"] = -5; },
        [](json& t) { t["seats"][0]["cards"] = {41}; },
        [](json& t) { t["seats"][0]["cards"] = json(std::vector<int>(81, 1)); },
        [](json& t) { t["dealt"][0]["seat"] = 5; },
        [](json& t) { t["events"][0]["seat"] = 9; },
        [](json& t) { t["v"] = 2; },
        [](json& t) { t.erase("seats"); },
        [](json& t) { t["seats"] = "all"; },
        [](json& t) { t["deck_left"] = 1000; },
    };
    for (std::size_t i = 0; i < spoil.size(); ++i) {
        json broken = MarcosTurn();
        broken["seats"][2]["name"] = "Changed";
        spoil[i](broken);
        EXPECT_FALSE(session.Receive(broken.dump())) << i;
    }
    for (const std::string& text : {std::string("{"), std::string(""), std::string("[1,2]"),
                                    std::string(100000, '['), std::string("\xff\xfe")})
        EXPECT_FALSE(session.Receive(text)) << text.substr(0, 10);
    EXPECT_EQ("Tino", session.Seats()[2].name) << "the last sound sight stands";
    EXPECT_EQ(toldBefore, told.events.size());
    json sound = MarcosTurn();
    sound["seats"][2]["name"] = "Changed";
    EXPECT_TRUE(session.Receive(sound.dump()));
    EXPECT_EQ("Changed", session.Seats()[2].name);
}

TEST_F(Online, KeepsTheTokenAndTheLastRefusal) {
    ASSERT_TRUE(session.Receive(
        R"({"v":1,"type":"seated","code":"7KQ2MX","seat":1,"token":"04be0000000000000000000000000000","invitation":"zandro://127.0.0.1:9000/7KQ2MX"})"));
    EXPECT_EQ("04be0000000000000000000000000000", session.Token());
    EXPECT_EQ("7KQ2MX", session.Code()) << "known from the seat, before any sight";
    ASSERT_TRUE(session.Receive(R"({"v":1,"type":"error","code":"table_full","message":"Full."})"));
    EXPECT_EQ("table_full", session.LastError());
}

TEST(Reconnect, TriesAtOnceThenWaitsLongerUpToHalfAMinute) {
    ReconnectPlan plan;
    for (const int expected : {0, 1000, 2000, 4000, 8000, 16000, 30000, 30000})
        EXPECT_EQ(expected, plan.NextDelay());
    for (int i = 0; i < 100; ++i) EXPECT_EQ(30000, plan.NextDelay()) << "no overflow however long it lasts";
    plan.Opened();
    EXPECT_EQ(0, plan.NextDelay());
    EXPECT_EQ(1000, plan.NextDelay());
}

}  // namespace
}  // namespace DoDadu
