// The fan-out with stand-in stations (shell scripts); the real stations on fake
// boards are in tests/fake_hidraw.
#include "station/all_boards_station.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessorin::testing {
namespace {

BoardStation shellStation(const std::string& id, const std::string& script) { return {id, {"-c", script}, {}}; }

// The lines of one board, in the order they came.
std::vector<std::string> linesOf(const std::vector<std::string>& lines, const std::string& id) {
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.starts_with(id + ": ")) found.push_back(line);
    return found;
}

TEST(AllBoardsStation, EachStationGetsItsBoardThenTheSameWords) {
    const std::vector<BoardStation> stations =
        boardStations({"TSB0001", "1-1.2"}, {"--count", "3", "--", "image.rom", "4c10 a1b2"});
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_EQ(stations[0].boardId, "TSB0001");
    EXPECT_EQ(stations[0].arguments,
              (std::vector<std::string>{"--board", "TSB0001", "--count", "3", "--", "image.rom", "4c10 a1b2"}));
    EXPECT_EQ(stations[1].arguments,
              (std::vector<std::string>{"--board", "1-1.2", "--count", "3", "--", "image.rom", "4c10 a1b2"}));
}

TEST(AllBoardsStation, LinesComeWholeWithTheirBoardAndTotalsAddUp) {
    // Each station writes many lines in small pieces at the same time as the others.
    const std::string chatter =
        "i=0; while [ $i -lt 200 ]; do printf 'line %d ' $i; printf 'of this board\\n'; i=$((i+1)); done; ";
    const std::vector<BoardStation> stations = {
        shellStation("A", chatter + "printf '[T]\\t\\tchips: 1 passed, 0 failed, yield 100.0%%\\n';"
                                    "printf '[T]\\t\\tchips: 3 passed, 0 failed, yield 100.0%%\\n'"),
        shellStation("B", chatter + "printf '[T]\\t\\tchips: 2 passed, 1 failed, yield 66.7%%\\n'"),
        shellStation("C", chatter),
    };
    std::vector<std::string> lines;
    EXPECT_EQ(runAllBoards("/bin/sh", stations, [&](const std::string& line) { lines.push_back(line); }), 0);

    for (const char* id : {"A", "B", "C"}) {
        const std::vector<std::string> own = linesOf(lines, id);
        ASSERT_GE(own.size(), 200u) << id;
        for (int i = 0; i < 200; ++i)
            EXPECT_EQ(own[static_cast<size_t>(i)], std::string(id) + ": line " + std::to_string(i) + " of this board");
    }
    EXPECT_EQ(lines.back(), "all boards (3): 5 passed, 1 failed, yield 83.3%");
}

TEST(AllBoardsStation, AStationThatFailsOrCannotStartMakesTheExitCodeOne) {
    std::vector<std::string> lines;
    const int exitCode = runAllBoards(
        "/bin/sh", {shellStation("A", "echo fine"), shellStation("B", "echo no board; exit 1")},
        [&](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(exitCode, 1);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "B: no board"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "B: the station ended with exit status 1"), lines.end());
    EXPECT_EQ(lines.back(), "all boards (2): 0 passed, 0 failed, yield 0.0%");

    lines.clear();
    EXPECT_EQ(runAllBoards("/nonexistent/tessorin", {shellStation("A", "")},
                           [&](const std::string& line) { lines.push_back(line); }),
              1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("A: cannot start /nonexistent/tessorin: ", 0), 0u) << lines[0];
}

}  // namespace
}  // namespace tessorin::testing
