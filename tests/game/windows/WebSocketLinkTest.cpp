// The WebSocket link against a real server on 127.0.0.1 (tests/game/windows/link-test starts
// it with a throw-away certificate and passes its ports and fingerprint).
#include "OnlineSeatStore.h"
#include "WebSocketLink.h"

#include "SettingsStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace DoDadu {
namespace {

std::string Setting(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string Received() {
    std::ifstream log(Setting("ZANDRO_LINK_RECEIVED"));
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
}

// The HTTP requests the server has read so far.
std::size_t RequestsRead() {
    const std::string log = Received();
    std::size_t count = 0;
    for (std::size_t at = log.find("HTTP request"); at != std::string::npos;
         at = log.find("HTTP request", at + 1))
        ++count;
    return count;
}

// A link whose news wakes the test.
class Linked : public ::testing::Test {
protected:
    void SetUp() override {
        if (Setting("ZANDRO_LINK_PIN").empty()) GTEST_SKIP() << "run by link-test, with a server";
    }
    // Waits up to 15 s for the link to leave Connecting (and, when open, for `messages`).
    LinkNews Await(std::size_t messages = 0) {
        LinkNews all;
        for (int tries = 0; tries < 150; ++tries) {
            WaitForSingleObject(woken, 100);
            LinkNews news = link.Take();
            all.messages.insert(all.messages.end(), news.messages.begin(), news.messages.end());
            all.state = news.state;
            all.fault = news.fault;
            const bool settled = news.state == LinkState::Closed ||
                                 (news.state == LinkState::Open && all.messages.size() >= messages);
            if (settled) break;
        }
        return all;
    }
    static LinkAddress Address(bool secure, std::string pin, std::string host = "127.0.0.1") {
        LinkAddress to;
        to.host = std::move(host);
        to.secure = secure;
        to.port = std::atoi(Setting(secure ? "ZANDRO_LINK_SECURE_PORT" : "ZANDRO_LINK_PLAIN_PORT").c_str());
        to.pin = std::move(pin);
        return to;
    }

    HANDLE woken = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    WebSocketLink link{[this] { SetEvent(woken); }};
};

TEST_F(Linked, TalksOverTlsToThePinnedServerAndToThisComputerInPlain) {
    for (const bool secure : {true, false}) {
        WebSocketLink talk{[this] { SetEvent(woken); }};
        talk.Open(Address(secure, secure ? Setting("ZANDRO_LINK_PIN") : ""), "keep");
        talk.Send("hello");
        talk.Send(std::string(40000, 'x'));  // longer than one receive
        LinkNews all;
        for (int tries = 0; tries < 150 && all.messages.size() < 2; ++tries) {
            WaitForSingleObject(woken, 100);
            for (std::string& m : talk.Take().messages) all.messages.push_back(std::move(m));
        }
        ASSERT_EQ(2u, all.messages.size()) << secure;
        EXPECT_EQ("hello", all.messages[0]);
        EXPECT_EQ(40000u, all.messages[1].size());
        EXPECT_EQ(LinkState::Open, talk.Take().state);
    }
}

TEST_F(Linked, RefusesWhatIsNotTheInvitedServerAndSendsNothing) {
    std::string wrongPin = Setting("ZANDRO_LINK_PIN");
    wrongPin[0] = wrongPin[0] == 'A' ? 'B' : 'A';
    const struct {
        const char* what;
        LinkAddress to;
        LinkFault fault;
    } cases[] = {
        {"another fingerprint", Address(true, wrongPin), LinkFault::NotTheInvitedServer},
        {"self-signed, no pin", Address(true, ""), LinkFault::NotTheInvitedServer},
        {"plain to another name", Address(false, "", "localhost"), LinkFault::PlainNotLocal},
        {"nobody at the port",
         [] {
             LinkAddress closed = Address(false, "");
             closed.port = 1;
             return closed;
         }(),
         LinkFault::Unreachable},
    };
    for (const auto& c : cases) {
        WebSocketLink refused{[this] { SetEvent(woken); }};
        const std::string secret = std::string("secret of ") + c.what;
        const std::size_t requestsBefore = RequestsRead();
        const auto began = std::chrono::steady_clock::now();
        refused.Open(c.to, "keep");
        refused.Send(secret);
        LinkNews news;
        for (int tries = 0; tries < 150 && news.state != LinkState::Closed; ++tries) {
            WaitForSingleObject(woken, 100);
            news = refused.Take();
        }
        EXPECT_EQ(LinkState::Closed, news.state) << c.what;
        EXPECT_EQ(c.fault, news.fault) << c.what;
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(10)) << c.what;
        Sleep(300);  // whatever reached the server has been read by now
        EXPECT_EQ(std::string::npos, Received().find(secret)) << c.what << ": nothing may be sent";
        EXPECT_EQ(requestsBefore, RequestsRead()) << c.what << ": not even the request for the WebSocket";
    }
    EXPECT_GT(RequestsRead(), 0u) << "the server logs the requests it reads";
}

TEST_F(Linked, TellsADropAndClosesAtOnceWhenIdle) {
    link.Open(Address(true, Setting("ZANDRO_LINK_PIN")), "keep");
    ASSERT_EQ(LinkState::Open, Await().state);
    link.Send("bye");  // the server closes
    const LinkNews dropped = Await();
    EXPECT_EQ(LinkState::Closed, dropped.state);
    EXPECT_EQ(LinkFault::Dropped, dropped.fault);

    WebSocketLink idle{[this] { SetEvent(woken); }};
    idle.Open(Address(true, Setting("ZANDRO_LINK_PIN")), "keep");
    for (int tries = 0; tries < 150 && idle.Take().state != LinkState::Open; ++tries)
        WaitForSingleObject(woken, 100);
    const auto began = std::chrono::steady_clock::now();
    idle.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(2))
        << "a link waiting to receive";
    EXPECT_EQ(LinkFault::None, idle.Take().fault) << "closed by us, not dropped";
}

// The seat kept for the next run; a token damaged in the registry, or kept without its
// invitation, reads as none, and the start-up's question agrees with the full read.
TEST(OnlineSeatStore, KeepsTheSeatForTheNextRunAndDropsADamagedToken) {
    const OnlineSeat kept{"zandro://127.0.0.1:9000/7KQ2MX", "0123456789abcdef0123456789ABCDEF",
                          "127.0.0.1:9000", "Nonna"};
    const struct {
        const char* token;
        const char* invitation;
        const char* read;
    } cases[] = {{kept.token.c_str(), kept.invitation.c_str(), kept.token.c_str()},
                 {"0123", kept.invitation.c_str(), ""},
                 {"0123456789abcdef0123456789ABCDEZ", kept.invitation.c_str(), ""},
                 {kept.token.c_str(), "", ""}};
    for (const auto& c : cases) {
        OnlineSeat seat = kept;
        seat.token = c.token;
        seat.invitation = c.invitation;
        WriteOnlineSeat(seat);
        const OnlineSeat read = ReadOnlineSeat();
        EXPECT_EQ(c.invitation, read.invitation);
        EXPECT_EQ(c.read, read.token) << c.token;
        EXPECT_EQ(kept.server, read.server);
        EXPECT_EQ(kept.name, read.name);
        EXPECT_EQ(!read.token.empty(), HoldsOnlineSeat()) << c.token << " " << c.invitation;
    }
    EXPECT_EQ("Nonna", NeloUtility::ReadTextSetting("Zandro", "Online", "Name")) << "under Zandro\\Online";
    WriteOnlineSeat(OnlineSeat{});
}

}  // namespace
}  // namespace DoDadu
