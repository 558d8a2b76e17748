#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "store/store_queries.h"
#include "tests/store/store_engines.h"

namespace tessorin::store {
namespace {

using testing::TestEngine;

class Queries : public ::testing::TestWithParam<TestEngine> {
protected:
    void SetUp() override {
        store_ = Store::open(testing::freshStore(GetParam(), folder_));
        store_->definePool({"bd_addr", false, 0x001A7D000000, 0x001A7D0000FF, 1});
        station_ = store_->startStation(thisProcess(), "TSB0001", "jobhash");
        chip("TSB0001", "2026-12-09", true);
        chip("TSB0001", "2026-12-10", false);
        chip("TSB0002", "2026-12-10", true);
    }
    void chip(const std::string& board, const std::string& day, bool passed) {
        const auto held = store_->reserve(station_, "bd_addr");
        char shown[24];
        std::snprintf(shown, sizeof shown, "00:1A:7D:00:00:%02X", static_cast<unsigned>(held->value & 0xFF));
        store_->recordChip(station_, {day + "T08:00:00+08:00", ++sequence_, board, "0x6d10", "a \"b\".rom",
                                      std::string(64, 'a'), 9000, {"4c10 0102"}, passed ? "success" : "fail",
                                      passed ? std::nullopt : std::optional<std::string>("board_lost"), 500, 360,
                                      "jobhash", {{"bd_addr", held->valueId, shown,
                                                   passed ? Settlement::Committed : Settlement::Voided}}});
    }

    testing::TempFolder folder_{"queries"};
    std::unique_ptr<Store> store_;
    int64_t station_ = 0;
    int64_t sequence_ = 0;
};

TEST_P(Queries, SummaryCountsByBoardImageAndDay) {
    const std::vector<Table> tables = summary(*store_);
    ASSERT_EQ(tables.size(), 4u);
    EXPECT_EQ(tables[0].rows, (std::vector<std::vector<std::string>>{{"all", "3", "2", "1", "66.7%"}}));
    EXPECT_EQ(tables[1].rows, (std::vector<std::vector<std::string>>{{"TSB0001", "2", "1", "1", "50.0%"},
                                                                     {"TSB0002", "1", "1", "0", "100.0%"}}));
    EXPECT_EQ(tables[2].rows.size(), 1u);
    EXPECT_EQ(tables[3].rows.at(1), (std::vector<std::string>{"2026-12-10", "2", "1", "1", "50.0%"}));
    EXPECT_EQ(failures(*store_).rows, (std::vector<std::vector<std::string>>{{"board_lost", "1"}}));
}

TEST_P(Queries, FindTakesAValueAsShownOrAsANumber) {
    for (const std::string& asked : {std::string("00:1a:7d:00:00:01"), std::string("0x001A7D000001"),
                                     std::to_string(0x001A7D000001)}) {
        const std::vector<Table> found = find(*store_, asked);
        ASSERT_EQ(found.at(0).rows.size(), 1u) << asked;
        EXPECT_EQ(found[0].rows[0][2], "void") << asked;
        EXPECT_EQ(found[1].rows.size(), 2u) << asked;  // reserved, void
        ASSERT_EQ(found[2].rows.size(), 1u) << asked;
        EXPECT_EQ(found[2].rows[0][10], "fail") << asked;
    }
    EXPECT_EQ(find(*store_, std::string(64, 'a'))[2].rows.size(), 3u);
    EXPECT_TRUE(find(*store_, "nothing")[0].rows.empty());
}

TEST_P(Queries, PoolsAndExportShowEveryValueAndChip) {
    EXPECT_EQ(pools(*store_).rows,
              (std::vector<std::vector<std::string>>{{"bd_addr", "counter", "3", "2", "1", "0", "253"}}));
    std::vector<std::string> csv, jsonl;
    exportChips(*store_, ExportFormat::Csv, [&](const std::string& line) { csv.push_back(line); });
    exportChips(*store_, ExportFormat::JsonLines, [&](const std::string& line) { jsonl.push_back(line); });
    ASSERT_EQ(csv.size(), 4u);
    EXPECT_TRUE(csv[1].find(",\"a \"\"b\"\".rom\",") != std::string::npos) << csv[1];
    EXPECT_TRUE(csv[1].ends_with(",\"bd_addr=00:1A:7D:00:00:00\"")) << csv[1];
    ASSERT_EQ(jsonl.size(), 3u);
    EXPECT_TRUE(jsonl[1].find("\"presets\":[\"4c10 0102\"],\"result\":\"fail\",\"reason\":\"board_lost\"") !=
                std::string::npos)
        << jsonl[1];
    EXPECT_TRUE(jsonl[1].ends_with("\"identities\":{\"bd_addr\":\"00:1A:7D:00:00:01\"}}")) << jsonl[1];
}

// What another writer or a hand edit may leave: the answer shows it as it stands.
TEST_P(Queries, CellsNotAsTheStationWritesThemAreShownAsTheyStand) {
    store_->connection().run("UPDATE chips SET presets = 'not [json' WHERE sequence = 1");
    if (GetParam() == TestEngine::Sqlite)  // PostgreSQL keeps its column types
        store_->connection().run("UPDATE identity_values SET value = 'x1' WHERE value = 113766301696");
    std::vector<std::string> jsonl;
    exportChips(*store_, ExportFormat::JsonLines, [&](const std::string& line) { jsonl.push_back(line); });
    ASSERT_EQ(jsonl.size(), 3u);
    const nlohmann::json first = nlohmann::json::parse(jsonl[0], nullptr, false);
    ASSERT_TRUE(first.is_object()) << jsonl[0];
    EXPECT_EQ(first["presets"], "not [json");
    const std::vector<Table> found = find(*store_, "00:1A:7D:00:00:00");
    ASSERT_EQ(found.at(0).rows.size(), 1u);
    EXPECT_EQ(found[0].rows[0][1], GetParam() == TestEngine::Sqlite ? "x1" : "0x1A7D000000");
}

INSTANTIATE_TEST_SUITE_P(Engines, Queries, ::testing::Values(TestEngine::Sqlite, TestEngine::Postgres),
                         testing::engineName);

}  // namespace
}  // namespace tessorin::store
