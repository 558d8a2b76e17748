// `tessorin --all-boards` on four fake boards: the program, its four station
// processes and the test are separate processes, and every one of them sees
// the same testbed (umockdev's preload and UMOCKDEV_DIR pass to children).
// The test plays the operator: after each chip it takes the chip away, waits
// until the station says it is waiting for one, and puts a fresh one on the board.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "base/child_process.h"
#include "base/text.h"
#include "report/message_table.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"
#include "tests/support/file_text.h"

namespace tessorin::testing {
namespace {

constexpr uint16_t kChip = 0x6D10;
constexpr int kBoards = 4;
constexpr int kChipsPerBoard = 3;
// Beyond this something hangs: the test stops playing the operator and says so.
constexpr auto kPatience = std::chrono::minutes(3);

// The results file's whole lines (a line still being written is left for later), by board.
std::map<std::string, std::vector<nlohmann::json>> resultsByBoard(const std::string& path) {
    std::map<std::string, std::vector<nlohmann::json>> byBoard;
    std::istringstream text(fileText(path));
    for (std::string line; std::getline(text, line) && !text.eof();) {
        nlohmann::json record = nlohmann::json::parse(line, nullptr, false);
        if (record.is_discarded() || !record["board"].is_string()) {
            ADD_FAILURE() << "not a whole results line: " << line;
            continue;
        }
        byBoard[record["board"].get<std::string>()].push_back(record);
    }
    return byBoard;
}

class AllBoards : public FakeBoardTest {
protected:
    AllBoards() : image_(imageBytes(20000)), file_(bytePerLineText(image_)), results_(folder_.path("results.jsonl")) {
        for (int i = 0; i < kBoards; ++i) boards.addBoard(kChip);
    }

    // What one board's operator is doing.
    struct Operator {
        size_t chipsSeen = 0;
        bool chipAway = false;
        size_t waitsWhenAway = 0;  // the station's "waiting" lines when the chip was taken away
    };

    // Runs `tessorin --all-boards --results FILE --count 3 IMAGE` to its end and
    // plays the operator meanwhile; atFirstChip(board) runs while a board's
    // first download is under way. Returns the program's exit status.
    int run(const std::function<void(int board)>& atFirstChip = {}) {
        ChildProcess program(programBeside("tessorin"), {"--all-boards", "--results", results_, "--count",
                                                         std::to_string(kChipsPerBoard), file_.path()});
        EXPECT_TRUE(program.started()) << program.problem();
        std::mutex mutex;
        bool ended = false;
        std::thread reader([&] {
            for (std::string line; program.readLine(line);) {
                std::lock_guard<std::mutex> lock(mutex);
                output_.push_back(line);
                if (line.ends_with(waiting_)) ++waits_[line.substr(0, line.find(':'))];
            }
            std::lock_guard<std::mutex> lock(mutex);
            ended = true;
        });
        std::vector<Operator> operators(kBoards);
        std::vector<bool> firstChipSeen(kBoards, false);
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (ended) break;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the run did not end in time";
                break;
            }
            const auto results = resultsByBoard(results_);
            std::map<std::string, size_t> waits;
            {
                std::lock_guard<std::mutex> lock(mutex);
                waits = waits_;
            }
            for (int board = 0; board < kBoards; ++board) {
                if (atFirstChip && !firstChipSeen[board] && codeLoadSize(board) > 0) {
                    firstChipSeen[board] = true;
                    atFirstChip(board);
                }
                tend(board, operators[static_cast<size_t>(board)], results, waits[boards.serial(board)]);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        reader.join();
        for (const std::string& line : output_) std::printf("%s\n", line.c_str());
        return program.wait();
    }

    size_t codeLoadSize(int board) {
        try {
            return boards.withChip(board, [](emulator::ChipModel& chip) { return chip.codeLoad().size(); });
        } catch (const std::out_of_range&) {
            return 0;
        }
    }

    // A finished chip is kept and taken away; once the station has found the
    // board empty, a fresh chip goes on, until the board has had its chips.
    void tend(int board, Operator& op, const std::map<std::string, std::vector<nlohmann::json>>& results,
              size_t waits) {
        auto found = results.find(boards.serial(board));
        const size_t finished = found == results.end() ? 0 : found->second.size();
        if (!op.chipAway && finished > op.chipsSeen) {
            op.chipsSeen = finished;
            const nlohmann::json& record = found->second.back();
            chipLoads_[board].push_back(
                boards.withChip(board, [](emulator::ChipModel& chip) { return chip.codeLoad(); }));
            if (finished >= kChipsPerBoard) return;
            boards.detachChip(board);
            // A board that died under its chip is unplugged and plugged back in.
            if (record["result"] == "fail" && !boards.answering(board)) {
                boards.unplug(board);
                boards.replug(board);
            }
            op.chipAway = true;
            op.waitsWhenAway = waits;
        } else if (op.chipAway && waits > op.waitsWhenAway) {
            boards.attachChip(board, kChip);
            op.chipAway = false;
        }
    }

    size_t linesOf(const std::string& id) const {
        size_t count = 0;
        for (const std::string& line : output_) count += line.starts_with(id + ": ") ? 1 : 0;
        return count;
    }

    TempFolder folder_{"all_boards"};
    std::vector<uint8_t> image_;
    TempCodeFile file_;
    std::string results_;
    // The station's line while its board has no chip.
    const std::string waiting_ = replaceAll(MessageTable(1252)[msgWaitingConnect], "\n", "");
    std::vector<std::string> output_;
    std::map<std::string, size_t> waits_;  // "waiting" lines by board
    std::map<int, std::vector<std::vector<uint8_t>>> chipLoads_;  // each finished chip's code load, by board
};

TEST_F(AllBoards, FourBoardsThreeChipsEachEveryImageByteExact) {
    EXPECT_EQ(run(), 0);
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
        ASSERT_EQ(chipLoads_[board].size(), static_cast<size_t>(kChipsPerBoard)) << id;
        for (const std::vector<uint8_t>& load : chipLoads_[board]) EXPECT_TRUE(load == image_) << id;
        EXPECT_GT(linesOf(id), 0u) << id;
    }
    EXPECT_EQ(lines, static_cast<size_t>(kBoards * kChipsPerBoard));
    ASSERT_FALSE(output_.empty());
    EXPECT_EQ(output_.back(), "all boards (4): 12 passed, 0 failed, yield 100.0%");
}

TEST_F(AllBoards, BoardUnpluggedMidDownloadFailsItsChipAndTheOthersGoOn) {
    constexpr int kUnplugged = 1;
    const int exitCode = run([this](int board) {
        if (board == kUnplugged) boards.dieAfterRequests(board, 5);
    });
    EXPECT_EQ(exitCode, 1);
    const auto results = resultsByBoard(results_);
    for (int board = 0; board < kBoards; ++board) {
        const std::string id = boards.serial(board);
        ASSERT_EQ(results.count(id), 1u) << id;
        const std::vector<nlohmann::json>& records = results.at(id);
        ASSERT_EQ(records.size(), static_cast<size_t>(kChipsPerBoard)) << id;
        ASSERT_EQ(chipLoads_[board].size(), static_cast<size_t>(kChipsPerBoard)) << id;
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
