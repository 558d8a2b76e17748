// Signals to `tessorin --all-boards` and to a plain station at a seeded point
// (the first board's first download under way), and SIGKILL of one station
// mid-chip: the totals come, no process is left, and every chip that got bytes
// has its line.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "station/station_totals.h"
#include "tests/fake_hidraw/station_bench.h"

namespace tessorin::testing {
namespace {

constexpr int kBoards = 2;

// The processes the program started, read from /proc.
std::vector<unsigned long> childrenOf(unsigned long pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
    std::vector<unsigned long> children;
    for (unsigned long child = 0; file >> child;) children.push_back(child);
    return children;
}

bool processLeft(unsigned long pid) { return kill(static_cast<pid_t>(pid), 0) == 0; }

// The station of a board among the program's children: the one whose command line names it.
unsigned long stationOf(unsigned long parent, const std::string& boardId) {
    for (unsigned long child : childrenOf(parent)) {
        std::ifstream file("/proc/" + std::to_string(child) + "/cmdline");
        std::string words((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (words.find(std::string(1, '\0') + boardId + '\0') != std::string::npos) return child;
    }
    return 0;
}

size_t resultLines(const std::map<std::string, std::vector<nlohmann::json>>& results) {
    size_t lines = 0;
    for (const auto& [board, records] : results) lines += records.size();
    return lines;
}

struct SignalCase {
    const char* name;
    int signalNumber;
    bool toGroup;        // to the program's process group instead of the program alone
    bool plainStation;   // one `--board` station instead of --all-boards
};

class StationSignals : public StationBench, public ::testing::WithParamInterface<SignalCase> {
protected:
    StationSignals() : StationBench(kBoards, 3) {}

    // Every board's chip has its image whole or none of it: a chip that got bytes was finished.
    void expectNoChipHalfLoaded() {
        for (int board = 0; board < kBoards; ++board) {
            const size_t loaded = codeLoadSize(board);
            EXPECT_TRUE(loaded == 0 || loaded == image_.size()) << boards.serial(board) << ": " << loaded;
        }
    }
};

TEST_P(StationSignals, TheChipInHandIsFinishedAndTheTotalsCome) {
    const SignalCase& c = GetParam();
    std::vector<unsigned long> stations;
    const Program program = c.plainStation ? station(0, 3) : allBoards(3);
    const Ended ended = run({program}, [&](int board) {
        if (board != 0) return;
        const unsigned long pid = programId(0);
        stations = childrenOf(pid);
        kill(c.toGroup ? -static_cast<pid_t>(pid) : static_cast<pid_t>(pid), c.signalNumber);
    }).front();
    EXPECT_NE(ended.status, 0);
    ASSERT_FALSE(ended.output.empty());
    std::optional<ChipTotals> totals;
    for (const std::string& line : ended.output)
        if (auto read = totalsInConsoleLine(line)) totals = read;
    if (!c.plainStation) {
        EXPECT_TRUE(ended.output.back().starts_with("all boards (2): ")) << ended.output.back();
        EXPECT_EQ(stations.size(), static_cast<size_t>(kBoards));
    }
    ASSERT_TRUE(totals.has_value() || !c.plainStation);
    const auto results = resultsByBoard(results_);
    EXPECT_GE(resultLines(results), 1u);
    for (const auto& [board, records] : results)
        for (const nlohmann::json& record : records) EXPECT_EQ(record["result"], "success") << record.dump();
    expectNoChipHalfLoaded();
    for (unsigned long pid : stations) EXPECT_FALSE(processLeft(pid)) << pid;
}

INSTANTIATE_TEST_SUITE_P(Signals, StationSignals,
                         ::testing::Values(SignalCase{"IntToParent", SIGINT, false, false},
                                           SignalCase{"TermToParent", SIGTERM, false, false},
                                           SignalCase{"HupToGroup", SIGHUP, true, false},
                                           SignalCase{"TermToPlainStation", SIGTERM, false, true}),
                         [](const ::testing::TestParamInfo<SignalCase>& info) { return info.param.name; });

class KilledStation : public StationBench {
protected:
    KilledStation() : StationBench(kBoards, 2) {}
};

TEST_F(KilledStation, ItsChipInHandIsCountedAsFailedAndRecorded) {
    const Ended ended = run({allBoards(2)}, [&](int board) {
        if (board != 1) return;
        const auto pid = static_cast<pid_t>(stationOf(programId(0), boards.serial(1)));
        // Killed while its board holds the replies, so the chip is surely still in hand.
        boards.withChip(1, [&](emulator::ChipModel&) { kill(pid, SIGKILL); });
    }).front();
    EXPECT_EQ(ended.status, 1);
    ASSERT_FALSE(ended.output.empty());
    EXPECT_EQ(ended.output.back(), "all boards (2): 2 passed, 1 failed, yield 66.7%");
    EXPECT_NE(std::find(ended.output.begin(), ended.output.end(),
                        "TSB0002: the station ended with a chip in hand: counted as failed (station_ended)"),
              ended.output.end());
    const auto results = resultsByBoard(results_);
    ASSERT_EQ(results.count("TSB0002"), 1u);
    ASSERT_EQ(results.at("TSB0002").size(), 1u);
    EXPECT_EQ(results.at("TSB0002")[0]["reason"], "station_ended");
    EXPECT_EQ(results.at("TSB0002")[0]["sequence"], 1);
    EXPECT_EQ(resultLines(results), 3u);
}

// A second request to end leaves the chip in hand: on record as interrupted, never as a success.
// Two different signals, since a second one of the same kind may merge with the first.
TEST_F(KilledStation, ASecondRequestAbandonsTheChipInHandAsInterrupted) {
    const Ended ended = run({station(0, 2)}, [&](int board) {
        if (board != 0) return;
        const auto pid = static_cast<pid_t>(programId(0));
        // The board holds its replies until the station has put the chip on record,
        // so the load cannot end on its own before the station sees both requests.
        boards.withChip(0, [&](emulator::ChipModel&) {
            kill(pid, SIGTERM);
            kill(pid, SIGINT);
            const auto patience = std::chrono::steady_clock::now() + std::chrono::minutes(1);
            while (resultsByBoard(results_).empty() && std::chrono::steady_clock::now() < patience)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        });
    }).front();
    EXPECT_NE(ended.status, 0);
    const auto results = resultsByBoard(results_);
    ASSERT_EQ(results.count(boards.serial(0)), 1u);
    ASSERT_EQ(results.at(boards.serial(0)).size(), 1u);
    EXPECT_EQ(results.at(boards.serial(0))[0]["result"], "fail");
    EXPECT_EQ(results.at(boards.serial(0))[0]["reason"], "interrupted");
    EXPECT_LT(codeLoadSize(0), image_.size());
}

}  // namespace
}  // namespace tessorin::testing
