// A script run live reaches the board through the platform transport and
// shows the same pane and wire as its dry run on the emulated board.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "base/child_process.h"
#include "base/paths.h"
#include "device/board_lock.h"
#include "emulator/fake_hidraw/fake_hidraw_boards.h"
#include "runner/script_runner.h"
#include "tests/fake_hidraw/fake_board_test.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

// Absolute, as the script names it from a folder of its own; __FILE__ is relative under a compiler cache.
const std::filesystem::path kDemo =
    std::filesystem::absolute(std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "demo");

// The demo's RF part: from the INI drop to its last RF button. The board the
// demo attaches first is the emulator's; a live run has the real one.
std::string demoRfPart() {
    const std::string demo = fileText(kDemo / "demo.script");
    const size_t begin = demo.find("echo == the worked-example INI");
    const size_t end = demo.find("echo == a ROM image");
    if (begin == std::string::npos || end == std::string::npos || end < begin) return {};
    return demo.substr(begin, end - begin);
}

runner::RunnerOptions demoOptions(bool live) {
    runner::RunnerOptions options;
    options.maskTimestamps = true;
    options.scriptFolder = pathToUtf8(kDemo);
    options.liveBoard = live;
    return options;
}

size_t linesStartingWith(const std::string& text, const std::string& start) {
    size_t count = text.starts_with(start) ? 1 : 0;
    for (size_t at = text.find("\n" + start); at != std::string::npos; at = text.find("\n" + start, at + 1)) ++count;
    return count;
}

TEST(LiveScript, DemoRfPartGivesTheSamePaneAndWireDryAndLive) {
    const std::string rfPart = demoRfPart();
    ASSERT_NE(rfPart.find("press 1041"), std::string::npos) << "the demo's RF part was not found";
    const runner::RunnerOutput dry = runner::runScript("board attach 5b21\n" + rfPart, demoOptions(false));

    emulator::FakeHidrawBoards boards;
    const int board = boards.addBoard(0x5B21);
    const runner::RunnerOutput live = runner::runScript(rfPart, demoOptions(true));

    EXPECT_NE(dry.pane.find("success"), std::string::npos);
    EXPECT_EQ(live.pane, dry.pane);
    EXPECT_EQ(live.wire, dry.wire);
    EXPECT_EQ(live.log, dry.log);
    EXPECT_EQ(live.report, dry.report);
    // The wire shows what the fake board really received.
    EXPECT_EQ(linesStartingWith(live.wire, "> "), boards.requests(board).size());
    EXPECT_GT(boards.requests(board).size(), 10u);
}

// tessorin-run is a process of its own: it finds the suite's fake boards too,
// and --board ID takes the board the id names, not the first one.
TEST(LiveScript, TessorinRunTakesTheBoardItsIdNames) {
    emulator::FakeHidrawBoards boards;
    const int first = boards.addBoard(0x5B21);
    const int second = boards.addBoard(0x5B21);
    TempFolder folder("live_script");
    const std::string script = folder.write("rf.script", "drop \"" + pathToUtf8(kDemo / "worked_example.ini") +
                                                             "\"\npress 1015\npress 1041\n");
    const std::string wire = folder.path("wire.txt");
    {
        ChildProcess run(programBeside("tessorin-run"), {"--board", boards.serial(second), "--wire", wire, script});
        for (std::string line; run.readLine(line);) {
        }
        EXPECT_EQ(run.wait(), 0);
    }
    EXPECT_EQ(boards.requests(first).size(), 0u);
    EXPECT_GT(boards.requests(second).size(), 0u);
    EXPECT_EQ(linesStartingWith(fileText(wire), "> "), boards.requests(second).size());

    ChildProcess missing(programBeside("tessorin-run"), {"--board", "TSB0009", script});
    std::string line;
    ASSERT_TRUE(missing.readLine(line));
    EXPECT_EQ(line, "tessorin-run: --board TSB0009: no such board present (tessorin --list-boards shows them)");
    EXPECT_EQ(missing.wait(), 2);
}

// A board a station holds is not touched by a live command: the command says
// which process holds it; once the board is free the same command goes out.
TEST(LiveScript, CommandOnABoardInUseIsRefusedNamingItsHolder) {
    emulator::FakeHidrawBoards boards;
    const int board = boards.addBoard(0x5B21);
    const std::string script = "drop \"" + pathToUtf8(kDemo / "worked_example.ini") + "\"\npress 1015\n";
    std::string problem;
    std::unique_ptr<BoardLock> station = BoardLock::tryTake(boards.serial(board), problem);
    ASSERT_TRUE(station) << problem;
    const runner::RunnerOutput refused = runner::runScript(script, demoOptions(true));
    EXPECT_NE(refused.pane.find("board TSB0001 is in use by process " + std::to_string(getpid())), std::string::npos)
        << refused.pane;
    EXPECT_EQ(boards.requests(board).size(), 0u);
    station.reset();
    const runner::RunnerOutput done = runner::runScript(script, demoOptions(true));
    EXPECT_EQ(done.pane.find("in use"), std::string::npos) << done.pane;
    EXPECT_GT(boards.requests(board).size(), 0u);
}

}  // namespace
}  // namespace tessorin::testing
