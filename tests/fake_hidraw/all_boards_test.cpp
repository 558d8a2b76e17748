// `tessorin --all-boards` on four fake boards, the test playing the operator
// (station_bench.h).
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/fake_hidraw/station_bench.h"

namespace tessorin::testing {
namespace {

constexpr int kBoards = 4;
constexpr size_t kChipsPerBoard = 3;

class AllBoards : public StationBench {
protected:
    AllBoards() : StationBench(kBoards, kChipsPerBoard) {}

    // The one program's end, its lines kept for the checks.
    int runAllBoards(const std::function<void(int board)>& atFirstChip = {}) {
        Ended ended = run({allBoards(kChipsPerBoard)}, atFirstChip).front();
        output_ = ended.output;
        return ended.status;
    }

    size_t linesOf(const std::string& id) const {
        return static_cast<size_t>(
            std::count_if(output_.begin(), output_.end(), [&](const std::string& line) { return line.starts_with(id + ": "); }));
    }

    std::vector<std::string> output_;
};

TEST_F(AllBoards, FourBoardsThreeChipsEachEveryImageByteExact) {
    EXPECT_EQ(runAllBoards(), 0);
    const auto results = resultsByBoard(results_);
    size_t lines = 0;
    for (int board = 0; board < kBoards; ++board) {
        const std::string id = boards.serial(board);
        ASSERT_EQ(results.count(id), 1u) << id;
        for (const nlohmann::json& record : results.at(id)) {
            EXPECT_EQ(record["result"], "success") << record.dump();
            EXPECT_EQ(record["chip_id"], "0x6d10") << record.dump();
            EXPECT_EQ(record["image_bytes"], 20000 * 3) << record.dump();
        }
        lines += results.at(id).size();
        ASSERT_EQ(chipLoads_[board].size(), kChipsPerBoard) << id;
        for (const std::vector<uint8_t>& load : chipLoads_[board]) EXPECT_TRUE(load == image_) << id;
        EXPECT_GT(linesOf(id), 0u) << id;
    }
    EXPECT_EQ(lines, kBoards * kChipsPerBoard);
    ASSERT_FALSE(output_.empty());
    EXPECT_EQ(output_.back(), "all boards (4): 12 passed, 0 failed, yield 100.0%");
}

TEST_F(AllBoards, BoardUnpluggedMidDownloadFailsItsChipAndTheOthersGoOn) {
    constexpr int kUnplugged = 1;
    const int exitCode = runAllBoards([this](int board) {
        if (board == kUnplugged) boards.dieAfterRequests(board, 5);
    });
    EXPECT_EQ(exitCode, 1);
    const auto results = resultsByBoard(results_);
    for (int board = 0; board < kBoards; ++board) {
        const std::string id = boards.serial(board);
        ASSERT_EQ(results.count(id), 1u) << id;
        const std::vector<nlohmann::json>& records = results.at(id);
        ASSERT_EQ(records.size(), kChipsPerBoard) << id;
        ASSERT_EQ(chipLoads_[board].size(), kChipsPerBoard) << id;
        for (size_t chip = 0; chip < records.size(); ++chip) {
            const bool failed = board == kUnplugged && chip == 0;
            EXPECT_EQ(records[chip]["result"], failed ? "fail" : "success") << records[chip].dump();
            if (!failed) {
                EXPECT_TRUE(chipLoads_[board][chip] == image_) << id << " chip " << chip + 1;
            }
        }
    }
    // The failed chip had part of its image when its board went away.
    const size_t partLoaded = chipLoads_[kUnplugged][0].size();
    EXPECT_GT(partLoaded, 0u);
    EXPECT_LT(partLoaded, image_.size());
    ASSERT_FALSE(output_.empty());
    EXPECT_EQ(output_.back(), "all boards (4): 11 passed, 1 failed, yield 91.7%");
    EXPECT_NE(std::find(output_.begin(), output_.end(), "TSB0002: the station ended with exit status 1"),
              output_.end());
}

}  // namespace
}  // namespace tessorin::testing
