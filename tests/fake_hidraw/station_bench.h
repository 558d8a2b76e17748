#pragma once
// Station processes (`tessorin` with options) on fake boards, with the test as
// their operator: after each chip it takes the chip away, waits until the
// station says it is waiting for one, and puts a fresh one on the board. The
// programs, their stations and the test are separate processes that all see
// the same testbed (umockdev's preload and UMOCKDEV_DIR pass to children).
#include <nlohmann/json.hpp>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/child_process.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {

inline constexpr uint16_t kBenchChip = 0x6D10;

// The results file's whole lines (a line still being written is left for
// later), by board; a line that is not whole JSON is a test failure.
std::map<std::string, std::vector<nlohmann::json>> resultsByBoard(const std::string& path);

class StationBench : public FakeBoardTest {
protected:
    struct Program {
        std::vector<std::string> arguments;  // after the program's name
        std::string board;  // the board of its lines without "ID: " in front; empty for --all-boards
    };
    struct Ended {
        int status = -1;
        std::vector<std::string> output;
    };

    // chipsPerBoard: the chips the operator puts on each board in all.
    StationBench(int boardCount, size_t chipsPerBoard);

    // Starts each program once the one before it has printed a line for each
    // of its boards, and plays the operator until every one has ended (or
    // stops, failing the test, when something hangs). atFirstChip(board) runs
    // while a board's first download is under way.
    std::vector<Ended> run(const std::vector<Program>& programs, const std::function<void(int board)>& atFirstChip = {});
    // `tessorin --all-boards --results FILE --count N IMAGE`.
    Program allBoards(size_t count) const;
    // `tessorin --board ID --results FILE --count N IMAGE`.
    Program station(int board, size_t count) const;

    size_t codeLoadSize(int board);
    // The process id of the index-th program started by run, 0 before it started.
    unsigned long programId(size_t index);

    int boardCount_;
    size_t chipsPerBoard_;
    TempFolder folder_{"station_bench"};
    std::vector<uint8_t> image_;
    TempCodeFile file_;
    std::string results_;
    std::map<int, std::vector<std::vector<uint8_t>>> chipLoads_;  // each finished chip's code load, by board

private:
    // What one board's operator is doing.
    struct Operator {
        size_t chipsSeen = 0;
        bool chipAway = false;
        size_t waitsWhenAway = 0;  // the stations' "waiting" lines when the chip was taken away
    };
    void tend(int board, Operator& op, const std::map<std::string, std::vector<nlohmann::json>>& results, size_t waits);
    // Lets a paused program go on once every program before it has ended and
    // the operator has dealt with every chip on record.
    void resumeOnceTheBoardIsClear(const std::vector<std::unique_ptr<ChildProcess>>& processes,
                                   const std::vector<bool>& ended, const std::vector<Operator>& operators,
                                   const std::map<std::string, std::vector<nlohmann::json>>& results);

    std::mutex mutex_;
    std::vector<unsigned long> programIds_;
    std::map<std::string, size_t> waits_;           // "waiting" lines by board
    std::vector<std::map<std::string, bool>> spoke_;  // by program: the boards it has printed a line for
    std::vector<bool> paused_;                        // by program: stopped while it waits for a board
};

}  // namespace tessorin::testing
