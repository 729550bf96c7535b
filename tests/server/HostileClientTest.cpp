// Clients that send what they must not: each is answered with its error alone, the
// evening does not move, and only a flood or an oversized frame ends the connection.
#include "ProtocolCodec.h"
#include "RoomCode.h"
#include "ServerProcess.h"
#include "WireClient.h"

#include <gtest/gtest.h>

namespace DoDadu::Testing {
namespace {

class HostileClients : public testing::Test {
protected:
    void SetUp() override { server.Start(); }

    // The next frame decoded; a failure when none comes.
    static ServerMessage Next(WireClient& client) {
        const auto frame = client.Next();
        EXPECT_TRUE(frame.has_value()) << "no frame";
        const auto decoded = DecodeServer(frame.value_or(""));
        EXPECT_TRUE(decoded.ok) << frame.value_or("");
        return decoded.message;
    }
    static std::string ErrorOf(WireClient& client) {
        const ServerMessage message = Next(client);
        const auto* error = std::get_if<ErrorReply>(&message);
        return error != nullptr ? ErrorName(error->code) : "no error";
    }
    static TableView ViewOf(WireClient& client) {
        for (int i = 0; i < 10; ++i) {
            const ServerMessage message = Next(client);
            if (const auto* view = std::get_if<TableView>(&message)) return *view;
        }
        ADD_FAILURE() << "no view";
        return TableView();
    }
    static void ExpectPong(WireClient& client) {
        client.Send(R"({"v":1,"type":"ping"})");
        const ServerMessage message = Next(client);
        EXPECT_TRUE(std::holds_alternative<Pong>(message));
    }

    ServerProcess server{true, {"--round-pause", "100", "--computer-step", "20", "--seat-hold", "1"}};
};

TEST_F(HostileClients, BadFramesAreAnsweredAndTheLinkStays) {
    WireClient client(server.Port());
    const struct {
        const char* frame;
        const char* error;
    } cases[] = {
        {"{", "malformed"},
        {R"({"v":3,"type":"ping"})", "unsupported_version"},
        {R"({"v":1,"type":"peek","seat":1})", "unknown_type"},
        {R"({"v":1,"type":"card"})", "not_seated"},
        {R"({"v":1,"type":"resume","token":"00000000000000000000000000000000"})", "bad_token"},
        {R"({"v":1,"type":"create","name":"N","rules":"italian","seats":[{"kind":"careful"}]})", "malformed"},
        {R"({"v":1,"type":"create","name":"","rules":"italian","seats":[{"kind":"person"}]})", "bad_name"},
        {R"({"v":1,"type":"create","name":"N","rules":"classic","seats":[{"kind":"person"},{"kind":"person"}]})",
         "bad_seats"}};
    for (const auto& c : cases) {
        client.Send(c.frame);
        EXPECT_EQ(ErrorOf(client), c.error) << c.frame;
    }
    ExpectPong(client);
}

TEST_F(HostileClients, AnOversizedFrameOrAFloodEndsTheLink) {
    WireClient big(server.Port());
    big.Send(R"({"v":1,"type":"ping","pad":")" + std::string(kLargestMessage, 'x') + "\"}");
    EXPECT_EQ(ErrorOf(big), "too_large");
    EXPECT_FALSE(big.Next().has_value());
    EXPECT_TRUE(big.Closed());

    WireClient flood(server.Port());
    for (int i = 0; i < 40; ++i) flood.Send(R"({"v":1,"type":"ping"})");
    std::string last;
    while (const auto frame = flood.Next()) last = *frame;
    EXPECT_NE(last.find("\"flood\""), std::string::npos) << last;
    EXPECT_TRUE(flood.Closed());
}

// Two persons at a table: the one not in turn, the wrong stakes and the other's token
// are all refused, and the table does not move.
TEST_F(HostileClients, ActionsOutOfTurnAndOthersTokensChangeNothing) {
    WireClient nonna(server.Port());
    WireClient marco(server.Port());
    nonna.Send(
        R"({"v":1,"type":"create","name":"Nonna","rules":"spanish","seats":[{"kind":"person"},{"kind":"person"}]})");
    const ServerMessage seated = Next(nonna);
    ASSERT_TRUE(std::holds_alternative<Seated>(seated));
    const Seated own = std::get<Seated>(seated);
    ViewOf(nonna);
    marco.Send(EncodeClient(JoinTable{own.code, "Marco"}));
    ASSERT_TRUE(std::holds_alternative<Seated>(Next(marco)));
    ViewOf(marco);
    marco.Send(R"({"v":1,"type":"start"})");
    EXPECT_EQ(ErrorOf(marco), "not_creator");
    ViewOf(nonna);  // Marco joined
    nonna.Send(R"({"v":1,"type":"start"})");
    const TableView dealt = ViewOf(nonna);
    ViewOf(marco);
    ASSERT_TRUE(dealt.inPlay);
    WireClient& inTurn = dealt.toAct == dealt.you ? nonna : marco;
    WireClient& waiting = dealt.toAct == dealt.you ? marco : nonna;

    for (const char* action : {R"({"v":1,"type":"card"})", R"({"v":1,"type":"stand"})",
                               R"({"v":1,"type":"stake","amount":1000})"}) {
        waiting.Send(action);
        EXPECT_EQ(ErrorOf(waiting), "out_of_turn") << action;
    }
    for (const char* stake :
         {R"({"v":1,"type":"stake","amount":750})", R"({"v":1,"type":"stake","amount":0})",
          R"({"v":1,"type":"stake","amount":-500})", R"({"v":1,"type":"stake","amount":4500})",
          R"({"v":1,"type":"stake","amount":9223372036854775807})"}) {
        inTurn.Send(stake);
        EXPECT_EQ(ErrorOf(inTurn), "bad_stake") << stake;
    }
    waiting.Send(EncodeClient(ResumeSeat{own.token}));
    EXPECT_EQ(ErrorOf(waiting), "already_seated");
    std::string forged = own.token;
    forged[0] = forged[0] == '0' ? '1' : '0';
    WireClient stranger(server.Port());
    stranger.Send(EncodeClient(ResumeSeat{forged}));
    EXPECT_EQ(ErrorOf(stranger), "bad_token");
    // Nothing moved: the next frame each one gets is the answer to its ping.
    ExpectPong(inTurn);
    ExpectPong(waiting);
    // The one in turn still plays on.
    inTurn.Send(R"({"v":1,"type":"stake","amount":1000})");
    const TableView staked = ViewOf(inTurn);
    EXPECT_EQ(staked.seats[static_cast<std::size_t>(staked.you)].stake, 1000);
}

// A person whose link is gone past the hold is played by a careful computer at the
// minimum stake, and the evening goes on for the others.
TEST_F(HostileClients, ASeatLeftPastTheHoldIsPlayedForItsPerson) {
    WireClient nonna(server.Port());
    nonna.Send(
        R"({"v":1,"type":"create","name":"Nonna","rules":"italian","seats":[{"kind":"person"},{"kind":"person"}]})");
    const ServerMessage seated = Next(nonna);
    ASSERT_TRUE(std::holds_alternative<Seated>(seated));
    ViewOf(nonna);
    {
        WireClient marco(server.Port());
        marco.Send(EncodeClient(JoinTable{std::get<Seated>(seated).code, "Marco"}));
        ViewOf(nonna);
        nonna.Send(R"({"v":1,"type":"start"})");
        ViewOf(nonna);
    }
    bool away = false;
    TableView view;
    for (int frames = 0; frames < 200 && view.rounds < 3; ++frames) {
        view = ViewOf(nonna);
        for (const SeenEvent& event : view.events) {
            away = away || event.presence == PresenceMoment::SeatAway;
            if (event.presence == PresenceMoment::None && event.moment == TableMoment::StakeSet &&
                event.seat == 1) {
                EXPECT_EQ(event.amount, view.rules.minStake);
            }
        }
        if (view.mayDraw) nonna.Send(R"({"v":1,"type":"stand"})");
    }
    EXPECT_TRUE(away);
    EXPECT_GE(view.rounds, 3);
    EXPECT_TRUE(view.seats[1].away);
    EXPECT_EQ(view.total, view.startTotal);
}

TEST_F(HostileClients, AWrongCodeTriedManyTimesLocksTheAddressOut) {
    WireClient creator(server.Port());
    creator.Send(
        R"({"v":1,"type":"create","name":"Nonna","rules":"italian","seats":[{"kind":"person"},{"kind":"person"}]})");
    const ServerMessage seated = Next(creator);
    ASSERT_TRUE(std::holds_alternative<Seated>(seated));
    const std::string code = std::get<Seated>(seated).code;
    ViewOf(creator);
    // The creator's own mistakes, while at it.
    const struct {
        const char* frame;
        const char* error;
    } gifts[] = {{R"({"v":1,"type":"give_seat","seat":0,"style":"bold"})", "seat_not_free"},
                 {R"({"v":1,"type":"give_seat","seat":5,"style":"bold"})", "seat_not_free"},
                 {R"({"v":1,"type":"give_seat","seat":1,"style":"bold","name":"a\u0007b"})", "bad_name"},
                 {R"({"v":1,"type":"give_seat","seat":1,"style":"bold","name":"Nonna"})", "name_taken"},
                 {R"({"v":1,"type":"start"})", "not_now"},
                 {R"({"v":1,"type":"end"})", "not_now"}};
    for (const auto& gift : gifts) {
        creator.Send(gift.frame);
        EXPECT_EQ(ErrorOf(creator), gift.error) << gift.frame;
    }
    WireClient guesser(server.Port());
    for (int i = 0; i < 10; ++i) {
        std::string wrong = RoomCodeOf(static_cast<std::uint32_t>(i));
        if (wrong == code) wrong = RoomCodeOf(99);
        guesser.Send(EncodeClient(JoinTable{wrong, "Guess"}));
        EXPECT_EQ(ErrorOf(guesser), "unknown_code") << wrong;
    }
    guesser.Send(EncodeClient(JoinTable{code, "Guess"}));
    const ServerMessage refused = Next(guesser);
    ASSERT_TRUE(std::holds_alternative<ErrorReply>(refused));
    EXPECT_EQ(std::get<ErrorReply>(refused).code, ProtocolError::TooManyTries);
    EXPECT_GT(std::get<ErrorReply>(refused).retryAfter, 500);
}

}  // namespace
}  // namespace DoDadu::Testing
