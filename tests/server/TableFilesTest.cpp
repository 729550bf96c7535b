// The state folder's files: a table comes back whole, and a damaged or hostile file is
// refused rather than read wrong.
#include "ServerProcess.h"
#include "TableFiles.h"

#include <gtest/gtest.h>

namespace DoDadu::Testing {
namespace {

TableRecord SomeTable() {
    TableRecord record;
    record.code = "7KQ2MX";
    record.created = 1765400000;
    record.phase = TablePhase::Playing;
    record.creator = 1;
    record.plan.name = "Nonna";
    record.plan.rules = HouseRules::Spanish();
    record.plan.seats = {{SeatKind::Computer, PlayStyle::Bold, "Tino"},
                         {SeatKind::Person, PlayStyle::Careful, "Nonna"}};
    record.taken = {true, true};
    record.tokens = {"", std::string(64, 'A')};
    record.evening = {{"A.Saved", "1"}, {"A.Check", "00ff"}};
    return record;
}

TEST(TableFiles, ATableComesBackWholeAndDamageIsRefused) {
    const std::string text = TableFiles::Text(SomeTable());
    TableRecord back;
    ASSERT_TRUE(TableFiles::FromText(text, back));
    EXPECT_EQ(TableFiles::Text(back), text);

    auto replaced = [&text](const std::string& from, const std::string& to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    const std::string damaged[] = {
        text.substr(0, text.size() / 2),  // cut short by a crash
        replaced("Nonna", "Nonno"),       // a changed byte
        replaced("7KQ2MX", "7kq2mx"),     // a code not as the server writes it
        std::string(),
        "{\"table\":\"{}\",\"check\":\"0\"}",
    };
    for (const std::string& bad : damaged) EXPECT_FALSE(TableFiles::FromText(bad, back)) << bad;
}

TEST(TableFiles, TheFolderHoldsTheLastWriteAndPassesByDamage) {
    const std::string folder = MakeFolder();
    TableFiles files(folder);
    ASSERT_TRUE(files.Ready());
    TableRecord record = SomeTable();
    ASSERT_TRUE(files.Write(record));
    record.evening["A.Saved"] = "2";
    ASSERT_TRUE(files.Write(record));
    TableRecord other = record;
    other.code = "ABC123";
    ASSERT_TRUE(files.Write(other));
    {
        std::FILE* file = std::fopen((folder + "/ABC123.table").c_str(), "r+");
        ASSERT_NE(file, nullptr);
        std::fputs("garbage", file);
        std::fclose(file);
    }
    std::vector<std::string> skipped;
    const auto records = files.ReadAll(skipped);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].evening.at("A.Saved"), "2");
    EXPECT_EQ(skipped, std::vector<std::string>{"ABC123.table"});
    RemoveFolder(folder);
}

}  // namespace
}  // namespace DoDadu::Testing
