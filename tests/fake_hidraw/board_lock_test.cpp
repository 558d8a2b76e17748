// Two stations on one board: the board's lock lets one drive it at a time, so
// every chip gets the whole image once and has one line.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/fake_hidraw/station_bench.h"

namespace tessorin::testing {
namespace {

bool anyLine(const std::vector<std::string>& lines, const std::string& start, const std::string& end) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.starts_with(start) && line.ends_with(end); });
}

class TwoStationsOnOneBoard : public StationBench {
protected:
    explicit TwoStationsOnOneBoard(int boardCount = 1) : StationBench(boardCount, 4) {}

    // Each chip the operator took off the board has the whole image and one success line.
    void expectEveryChipWholeOnce(int board, size_t chips) {
        const auto records = resultsByBoard(results_);
        const std::string id = boards.serial(board);
        ASSERT_EQ(records.count(id), 1u) << id;
        EXPECT_EQ(records.at(id).size(), chips) << id;
        for (const nlohmann::json& record : records.at(id)) EXPECT_EQ(record["result"], "success") << record.dump();
        ASSERT_EQ(chipLoads_[board].size(), chips) << id;
        for (const std::vector<uint8_t>& load : chipLoads_[board]) EXPECT_TRUE(load == image_) << id;
    }
};

TEST_F(TwoStationsOnOneBoard, TheSecondStationWaitsForTheFirst) {
    const std::vector<Ended> ended = run({station(0, 2), station(0, 2)});
    EXPECT_EQ(ended[0].status, 0);
    EXPECT_EQ(ended[1].status, 0);
    EXPECT_TRUE(anyLine(ended[1].output, "tessorin: board TSB0001 is in use by process ", "; waiting for it"));
    EXPECT_FALSE(anyLine(ended[1].output, "", "by another process; waiting for it"));
    expectEveryChipWholeOnce(0, 4);
}

class TwoAllBoardsRuns : public TwoStationsOnOneBoard {
protected:
    TwoAllBoardsRuns() : TwoStationsOnOneBoard(2) {}
};

TEST_F(TwoAllBoardsRuns, TheSecondStartsNoStationForABoardInUse) {
    const std::vector<Ended> ended = run({allBoards(4), allBoards(4)});
    EXPECT_EQ(ended[0].status, 0);
    EXPECT_EQ(ended[1].status, 1);
    for (const char* id : {"TSB0001", "TSB0002"}) {
        EXPECT_TRUE(anyLine(ended[1].output, std::string(id) + ": board " + id + " is in use by process ",
                            ": no station for it"))
            << id;
    }
    EXPECT_EQ(ended[1].output.back(), "all boards (0): 0 passed, 0 failed, yield 0.0%");
    expectEveryChipWholeOnce(0, 4);
    expectEveryChipWholeOnce(1, 4);
}

}  // namespace
}  // namespace tessorin::testing
