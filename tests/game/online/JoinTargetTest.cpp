// What the join box reads from what a person pastes or types.
#include "JoinTarget.h"

#include <gtest/gtest.h>

#include <string>

namespace DoDadu {
namespace {

const std::string kPin(64, 'A');

TEST(JoinTarget, ReadsInvitationsAndCodesAsPeoplePasteThem) {
    const struct {
        const char* table;
        std::string server;
        const char* host;  // null: refused
        int port;
        const char* code;
        bool pinned;
    } cases[] = {
        {"zandro://games.example.org:7575/7KQ2MX", "", "games.example.org", 7575, "7KQ2MX", false},
        {"  <zandro://127.0.0.1:9000/7kq2mx#sha256="
         "aa:AA:aa:AA:aa:AA:aa:AA:aa:AA:aa:AA:aa:AA:aa:AA:aa:AA:aa:AA:aa:AA:"
         "aa:AA:aa:AA:aa:AA:aa:AA:aa:AA>\r\n",
         "ignored:1", "127.0.0.1", 9000, "7KQ2MX", true},
        {"\"zandro://[::1]:443/7KQ2MX\"", "", "::1", 443, "7KQ2MX", false},
        {"7kq-2mx", "games.example.org:7575", "games.example.org", 7575, "7KQ2MX", false},
        {"7KQ2MX",
         " zandro://127.0.0.1:9000/ABCDEF#sha256="
         "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
         "127.0.0.1", 9000, "7KQ2MX", true},
        {"7KQ2MX", "", nullptr, 0, "", false},
        {"7KQ2MX", "games.example.org", nullptr, 0, "", false},
        {"7KQ2MX", "games.example.org:0", nullptr, 0, "", false},
        {"7KQ2MX", "games.example.org:65536", nullptr, 0, "", false},
        {"7KQ2MX", "games.example.org:80/path", nullptr, 0, "", false},
        {"7KQ2MX", "games.example.org:80#sha256=" + kPin, "games.example.org", 80, "7KQ2MX", true},
        {"7KQ2MX", "zandro://127.0.0.1:9000#sha256=" + kPin, "127.0.0.1", 9000, "7KQ2MX", true},
        {"7KQ2MX", "zandro-server at wss://127.0.0.1:9000 sha256=" + kPin + "\n", "127.0.0.1", 9000, "7KQ2MX",
         true},
        {"7KQ2MX", "wss://[::1]:9000  sha256=" + kPin, "::1", 9000, "7KQ2MX", true},
        {"7KQ2MX", "wss://127.0.0.1:9000 sha256=ABC", nullptr, 0, "", false},
        {"7KQ2MX", "wss://127.0.0.1:9000/table sha256=" + kPin, nullptr, 0, "", false},
        {"7KQ2MX", "127.0.0.1:9000 sha256=" + kPin + " 127.0.0.2:1", nullptr, 0, "", false},
        {"7KQ2M", "games.example.org:7575", nullptr, 0, "", false},
        {"7KQ2MXX", "games.example.org:7575", nullptr, 0, "", false},
        {"zandro://games.example.org:7575/7KQ2MX#sha256=ABC", "", nullptr, 0, "", false},
        {"zandro://user@games.example.org:7575/7KQ2MX", "", nullptr, 0, "", false},
        {"zandro://games.example.org:7575/../7KQ2MX", "", nullptr, 0, "", false},
        {"http://games.example.org:7575/7KQ2MX", "", nullptr, 0, "", false},
        {"zandro://games.exa mple.org:7575/7KQ2MX", "", nullptr, 0, "", false},
        {"zandro://games.example.org:7575/7KQ2MX\nzandro://evil.org:1/7KQ2MX", "", nullptr, 0, "", false},
        {"", "", nullptr, 0, "", false},
    };
    for (const auto& c : cases) {
        const auto target = ReadJoinTarget(c.table, c.server);
        ASSERT_EQ(c.host != nullptr, target.has_value()) << c.table << " | " << c.server;
        if (!target) continue;
        EXPECT_EQ(c.host, target->host) << c.table;
        EXPECT_EQ(c.port, target->port) << c.table;
        EXPECT_EQ(c.code, target->code) << c.table;
        EXPECT_EQ(c.pinned ? kPin : "", target->fingerprint) << c.table;
    }
}

TEST(JoinTarget, RefusesHugeAndBinaryInput) {
    const std::string huge = "zandro://" + std::string(100000, 'a') + ":1/7KQ2MX";
    EXPECT_FALSE(ReadJoinTarget(huge, ""));
    EXPECT_FALSE(ReadJoinTarget("7KQ2MX", std::string(100000, '1')));
    EXPECT_FALSE(ReadServer(std::string("127.0.0.1\0:80", 13)));
    EXPECT_FALSE(ReadServer("\xff\xfe:80"));
    EXPECT_EQ("", ReadServer("127.0.0.1:80")->code) << "a server alone names no table";
}

}  // namespace
}  // namespace DoDadu
