// A whole online evening over TLS on 127.0.0.1: four zandro-table-client processes and a
// computer at one table; one client's link is cut and comes back with its token; the
// server is killed mid-round and restarted on its state, and the evening goes on. Every
// frame each client received is then read back: none shows another seat's covered card
// before the rules show it, and the chips and the rounds as bank always add up.
#include "Cards.h"
#include "HandRules.h"
#include "LinkCutter.h"
#include "ProtocolCodec.h"
#include "ServerProcess.h"

#include <gtest/gtest.h>

#include <thread>

namespace DoDadu::Testing {
namespace {

using namespace std::chrono_literals;

constexpr int kRounds = 8;
constexpr std::int64_t kTableChips = 5 * kStartingChips;

struct Seat {
    const char* name;
    const char* play;
    bool throughCutter;
};

std::vector<std::string> ClientArgs(const ServerProcess& server, int port, const Seat& seat,
                                    const std::string& log) {
    return {ZANDRO_CLIENT,
            "--server",
            "wss://127.0.0.1:" + std::to_string(port),
            "--pin",
            server.Fingerprint(),
            "--name",
            seat.name,
            "--play",
            seat.play,
            "--frame-log",
            log};
}

// The last frame shows a round in play after `rounds` finished ones.
bool RoundInPlay(const std::string& frameLog, int rounds) {
    const auto lines = Lines(frameLog);
    return !lines.empty() && lines.back().find("\"in_play\":true") != std::string::npos &&
           lines.back().find("\"rounds\":" + std::to_string(rounds) + ",") != std::string::npos;
}

// What one client was told, checked against what it may see. A covered card may show
// while the round is in play only for the one who holds it, a seat that busted, the
// bank once it turned it, and a hand at 7.5.
std::vector<std::string> Leaks(const std::string& frameLog) {
    std::vector<std::string> found;
    int views = 0;
    for (const std::string& line : Lines(frameLog)) {
        const Decoded<ServerMessage> decoded = DecodeServer(line);
        if (!decoded.ok) {
            found.push_back("unreadable frame " + line);
            continue;
        }
        const auto* view = std::get_if<TableView>(&decoded.message);
        if (view == nullptr || view->phase == TablePhase::Lobby) continue;
        ++views;
        std::int64_t chips = 0;
        int bankRounds = 0;
        for (const SeatView& seat : view->seats) {
            chips += seat.chips;
            bankRounds += seat.asBank;
        }
        if (chips != kTableChips || view->total != kTableChips)
            found.push_back("chips do not add up: " + line);
        if (bankRounds != view->rounds) found.push_back("bank rounds do not add up: " + line);
        for (const SeatView& seat : view->seats) {
            if (seat.cards.empty()) continue;
            const bool own = seat.seat == view->you;
            const bool shown = seat.cards[0] != 0;
            const bool mayShow = !view->inPlay || own || seat.status == SeatStatus::Bust ||
                                 (seat.seat == view->bank && view->bankTurn) ||
                                 HandPoints(seat.cards, view->rules.wildCard) == kBestHand;
            if (shown && !mayShow)
                found.push_back("covered card of seat " + std::to_string(seat.seat) + ": " + line);
            if (own && !shown) found.push_back("own covered card hidden: " + line);
        }
        for (const SeenEvent& event : view->events) {
            const bool othersCovered = event.presence == PresenceMoment::None &&
                                       event.moment == TableMoment::CardDealt && event.covered &&
                                       event.seat != view->you;
            if (othersCovered && (event.card != 0 || event.points))
                found.push_back("dealt covered card: " + line);
        }
    }
    if (views == 0) found.push_back("no view at all in " + frameLog);
    return found;
}

TEST(ServerEndToEnd, AnEveningSurvivesACutLinkAndAKilledServer) {
    ServerProcess server(false, {"--computer-step", "40", "--round-pause", "150"});
    server.Start();
    ASSERT_EQ(server.Fingerprint().size(), 64u);
    LinkCutter cutter(server.Port());
    const std::string folder = server.Folder();

    const Seat seats[] = {{"Nonna", "careful", false},
                          {"Marco", "bold", true},
                          {"Lucia", "expert", false},
                          {"Pablo", "careful", false}};
    std::vector<Child> clients;
    auto start = [&](std::size_t i, std::vector<std::string> args) {
        const std::string base = folder + "/" + seats[i].name;
        args.insert(args.end(), {"--rounds", std::to_string(kRounds)});
        clients.emplace_back(args, base + ".out", base + ".err");
    };
    auto args = [&](std::size_t i) {
        return ClientArgs(server, seats[i].throughCutter ? cutter.Port() : server.Port(), seats[i],
                          folder + "/" + seats[i].name + ".frames");
    };
    std::vector<std::string> create = args(0);
    create.insert(create.end(),
                  {"--create", "--rules", "italian", "--seats", "person,person,careful,person,person"});
    start(0, create);
    ASSERT_TRUE(WaitForText(folder + "/Nonna.out", "code: ", 60s));
    const std::string out = ReadFile(folder + "/Nonna.out");
    const std::string code = out.substr(out.find("code: ") + 6, 6);
    for (std::size_t i = 1; i < 4; ++i) {
        std::vector<std::string> join = args(i);
        join.insert(join.end(), {"--join", code});
        start(i, join);
    }

    // A dropped link, after the second round.
    ASSERT_TRUE(WaitForText(server.Log(), " round 2:", 120s)) << ReadFile(server.Log());
    cutter.Cut();
    ASSERT_TRUE(WaitForText(server.Log(), "Marco is back", 60s)) << ReadFile(server.Log());

    // A killed server, with a round in play after the fourth.
    ASSERT_TRUE(WaitForText(server.Log(), " round 4:", 120s)) << ReadFile(server.Log());
    const auto until = std::chrono::steady_clock::now() + 30s;
    while (!RoundInPlay(folder + "/Nonna.frames", 4) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(RoundInPlay(folder + "/Nonna.frames", 4));
    server.Kill9();
    server.Start();
    ASSERT_TRUE(WaitForText(server.Log(), "1 tables back", 30s)) << ReadFile(server.Log());
    // The round in play was lost: the evening goes on from the fourth.
    ASSERT_TRUE(WaitForText(server.Log(), " round 5:", 120s)) << ReadFile(server.Log());

    std::vector<std::string> chipLines;
    for (std::size_t i = 0; i < clients.size(); ++i) {
        const std::string base = folder + "/" + seats[i].name;
        EXPECT_EQ(clients[i].Wait(240s), 0) << seats[i].name << ": " << ReadFile(base + ".err");
        const std::string text = ReadFile(base + ".out");
        EXPECT_NE(text.find("total: 250,000 chips (start 250,000)"), std::string::npos) << text;
        EXPECT_NE(text.find("round " + std::to_string(kRounds) + ": "), std::string::npos) << text;
        chipLines.push_back(text.substr(text.find("chips: ")));
        for (const std::string& leak : Leaks(base + ".frames"))
            ADD_FAILURE() << seats[i].name << ": " << leak;
    }
    for (const std::string& line : chipLines) EXPECT_EQ(line, chipLines.front());
    EXPECT_EQ(cutter.Cuts(), 1);
    const std::string log = ReadFile(server.Log());
    EXPECT_NE(log.find("Marco lost the link"), std::string::npos);
    EXPECT_NE(log.find("the evening is over after " + std::to_string(kRounds) + " rounds"), std::string::npos)
        << log;
}

}  // namespace
}  // namespace DoDadu::Testing
