// The online table's messages on the wire: every message survives encoding and decoding
// whole, hostile frames decode to the right error, and codes, invitations and names read
// as the protocol says.
#include "Invitation.h"
#include "ProtocolCodec.h"
#include "RoomCode.h"

#include <gtest/gtest.h>

namespace DoDadu {
namespace {

HouseRules EveryFewRounds() {
    HouseRules rules;
    rules.wildCard = false;
    rules.passing = BankPassing::EveryRounds;
    rules.passEvery = 3;
    rules.minStake = 100;
    rules.maxStake = 900;
    rules.stakeStep = 200;
    rules.doublePay = DoublePay::Any;  // fields no preset has together
    rules.royalSevenAndHalf = true;
    rules.cover = true;
    return rules;
}

TEST(ProtocolCodec, EveryClientMessageComesBackWhole) {
    CreateTable create;
    create.name = "Nonna";
    create.rules = EveryFewRounds();
    create.seats = {{SeatKind::Person, PlayStyle::Careful, ""},
                    {SeatKind::Computer, PlayStyle::Expert, "Ada"}};
    create.chips = 12345;
    create.rounds = 7;
    const std::vector<ClientMessage> messages = {create,
                                                 JoinTable{"7KQ2MX", "Marco"},
                                                 ResumeSeat{"0123456789abcdef0123456789abcdef"},
                                                 GiveSeat{2, PlayStyle::Bold, "Tino"},
                                                 StartEvening{},
                                                 SetStakeTo{2000},
                                                 TakeCard{},
                                                 StandNow{},
                                                 EndEvening{},
                                                 Ping{}};
    for (const ClientMessage& message : messages) {
        const std::string text = EncodeClient(message);
        const Decoded<ClientMessage> back = DecodeClient(text);
        ASSERT_TRUE(back.ok) << text;
        EXPECT_EQ(EncodeClient(back.message), text);
        EXPECT_EQ(back.about, TypeName(message));
    }
    for (const HouseRules& preset : {HouseRules::Italian(), HouseRules::Spanish(), HouseRules::Classic()}) {
        create.rules = preset;
        const auto back = DecodeClient(EncodeClient(create));
        ASSERT_TRUE(back.ok);
        EXPECT_EQ(PresetName(std::get<CreateTable>(back.message).rules), PresetName(preset));
    }
}

TEST(ProtocolCodec, ATableViewComesBackWhole) {
    TableView view;
    view.code = "7KQ2MX";
    view.invitation = "zandro://h:1/7KQ2MX";
    view.phase = TablePhase::Over;
    view.endReason = EndReason::Rounds;
    view.you = 1;
    view.rules = EveryFewRounds();
    view.mayStake = view.mayDraw = true;
    view.stakes = {100, 700, 200};
    SeatView seat;
    seat.name = "Caf\xC3\xA9";
    seat.cards = {0, 27, 10};
    seat.status = SeatStatus::Bust;
    seat.points = 7.5;
    seat.asBank = 3;
    view.seats = {seat, seat};
    view.dealt = {{0, 0}, {1, 27}};
    view.seenBefore = {3, 4};
    SeenEvent dealt;
    dealt.moment = TableMoment::CardDealt;
    dealt.seat = 1;
    dealt.card = 27;
    dealt.covered = true;
    dealt.points = 7.0;
    SeenEvent passes;
    passes.moment = TableMoment::BankPasses;
    passes.seat = 0;
    passes.reason = PassReason::DeckUsedUp;
    SeenEvent lost;
    lost.presence = PresenceMoment::LinkLost;
    lost.seat = 0;
    view.events = {dealt, passes, lost};
    const std::vector<ServerMessage> messages = {view, Seated{"7KQ2MX", 1, "00ff", "zandro://h:1/7KQ2MX"},
                                                 ErrorReply{ProtocolError::TooManyTries, "Wait.", "join", 30},
                                                 Pong{}};
    for (const ServerMessage& message : messages) {
        const std::string text = EncodeServer(message);
        const Decoded<ServerMessage> back = DecodeServer(text);
        ASSERT_TRUE(back.ok) << text;
        EXPECT_EQ(EncodeServer(back.message), text);
    }
}

TEST(ProtocolCodec, HostileFramesDecodeToTheirError) {
    const struct {
        const char* frame;
        ProtocolError error;
    } cases[] = {
        {"", ProtocolError::Malformed},
        {"not json", ProtocolError::Malformed},
        {"[1,2]", ProtocolError::Malformed},
        {R"({"type":"ping"})", ProtocolError::UnsupportedVersion},
        {R"({"v":2,"type":"ping"})", ProtocolError::UnsupportedVersion},
        {R"({"v":"1","type":"ping"})", ProtocolError::UnsupportedVersion},
        {R"({"v":1})", ProtocolError::Malformed},
        {R"({"v":1,"type":7})", ProtocolError::Malformed},
        {R"({"v":1,"type":"deal"})", ProtocolError::UnknownType},
        {R"({"v":1,"type":"stake"})", ProtocolError::Malformed},
        {R"({"v":1,"type":"stake","amount":"500"})", ProtocolError::Malformed},
        {R"({"v":1,"type":"stake","amount":1.5})", ProtocolError::Malformed},
        {R"({"v":1,"type":"stake","amount":99999999999999999999})", ProtocolError::Malformed},
        {R"({"v":1,"type":"join","code":"ABC123"})", ProtocolError::Malformed},
        {R"({"v":1,"type":"give_seat","seat":-1,"style":"bold"})", ProtocolError::Malformed},
        {R"({"v":1,"type":"give_seat","seat":1,"style":"lucky"})", ProtocolError::Malformed},
        {R"({"v":1,"type":"create","name":"N","rules":"french","seats":[]})", ProtocolError::Malformed},
        {R"({"v":1,"type":"create","name":"N","rules":{"min_stake":1},"seats":[]})",
         ProtocolError::Malformed},
        {R"({"v":1,"type":"create","name":"N","rules":"italian","seats":[{"kind":"robot"}]})",
         ProtocolError::Malformed},
        {R"({"v":1,"type":"create","name":"N","rules":"italian","seats":{}})", ProtocolError::Malformed},
    };
    for (const auto& c : cases) {
        const Decoded<ClientMessage> decoded = DecodeClient(c.frame);
        EXPECT_FALSE(decoded.ok) << c.frame;
        EXPECT_EQ(ErrorName(decoded.error), std::string(ErrorName(c.error))) << c.frame;
    }
    EXPECT_EQ(DecodeClient(R"({"v":1,"type":"deal"})").about, "deal");
    // Keys a later version may add are passed by.
    EXPECT_TRUE(DecodeClient(R"({"v":1,"type":"card","why":"luck"})").ok);
}

TEST(ProtocolCodec, CodesAndInvitationsReadAsTyped) {
    EXPECT_EQ(RoomCodeOf(0), "000000");
    EXPECT_EQ(RoomCodeOf((1u << 30) - 1), "ZZZZZZ");
    const struct {
        const char* typed;
        const char* code;  // "" when none
    } codes[] = {{"7kq2mx", "7KQ2MX"}, {"7KQ-2MX", "7KQ2MX"}, {"ilo0OL", "110001"},
                 {"7KQ2M", ""},        {"7KQ2MXX", ""},       {"7KQ2MU", ""}};
    for (const auto& c : codes) EXPECT_EQ(NormalRoomCode(c.typed).value_or(""), c.code) << c.typed;

    const std::string pin(64, 'A');
    const struct {
        const char* text;
        bool ok;
        const char* host;
        int port;
    } invitations[] = {
        {"zandro://games.example.org:7575/7kq2mx", true, "games.example.org", 7575},
        {"zandro://127.0.0.1:1/7KQ2MX#sha256=", false, "", 0},
        {"zandro://[::1]:7575/7KQ2MX", true, "::1", 7575},
        {"zandro://host:0/7KQ2MX", false, "", 0},
        {"zandro://host:70000/7KQ2MX", false, "", 0},
        {"zandro://host/7KQ2MX", false, "", 0},
        {"zandro://ho st:1/7KQ2MX", false, "", 0},
        {"http://host:1/7KQ2MX", false, "", 0},
        {"zandro://host:1/7KQ2MX#md5=00", false, "", 0},
    };
    for (const auto& c : invitations) {
        const auto read = ParseInvitation(c.text);
        ASSERT_EQ(read.has_value(), c.ok) << c.text;
        if (!read) continue;
        EXPECT_EQ(read->host, c.host);
        EXPECT_EQ(read->port, c.port);
        EXPECT_EQ(read->code, "7KQ2MX");
        EXPECT_EQ(ParseInvitation(InvitationText(*read))->host, c.host);
    }
    const auto pinned =
        ParseInvitation("zandro://h:2/7KQ2MX#sha256=" + std::string(32, 'a') + ":" + std::string(32, 'a'));
    ASSERT_TRUE(pinned);
    EXPECT_EQ(pinned->fingerprint, pin);
}

}  // namespace
}  // namespace DoDadu
