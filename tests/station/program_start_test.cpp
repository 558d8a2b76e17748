#include "station/program_start.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "station/station_command_line.h"
#include "device/board_choice.h"
#include "emulator/emulator_session.h"
#include "base/paths.h"
#include "base/program_version.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

using testing::TempFolder;
using Kind = ProgramStart::Kind;

TEST(ProgramStart, ListBoardsPrintsEveryBoardOrNoBoard) {
    emulator::EmulatorSession session;
    ProgramStart none = prepareProgramStart({"tessorin", "--list-boards"}, false);
    EXPECT_EQ(none.kind, Kind::Answered);
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.output, "no board\n");

    session.emulator.setIdentity(session.emulator.addBoard(0x6D10), "TS-000123", "1-1.2");
    session.emulator.addForeignDevice(0x046D, 0xC31C);
    session.emulator.addBoardWithoutChip();
    ProgramStart some = prepareProgramStart({"tessorin", "--list-boards"}, false);
    EXPECT_EQ(some.exitCode, 0);
    EXPECT_EQ(some.output,
              "id         serial     path\n"
              "TS-000123  TS-000123  1-1.2\n"
              "1-1.3      -          1-1.3\n");
}

// Each board's station reads the job itself: its words carry the job, never an image.
TEST(ProgramStart, AllBoardsPassTheJobOnToEveryStation) {
    emulator::EmulatorSession session;
    session.emulator.setIdentity(session.emulator.addBoard(0x6D10), "TS-000123", "1-1.2");
    TempFolder dir;
    dir.write("a.rom", "00\n");
    const std::string job = dir.write("line.toml", "image = \"a.rom\"\npresets = [\"4c10 0102\"]\n");
    ProgramStart start = prepareProgramStart({"tessorin", "--all-boards", "--job", job, "--count", "2"}, false);
    ASSERT_EQ(start.kind, Kind::AllBoards) << start.output;
    ASSERT_EQ(start.boardStations.size(), 1u);
    EXPECT_EQ(start.boardStations[0].arguments,
              (std::vector<std::string>{"--board", "TS-000123", "--job", job, "--count", "2"}));
    ProgramStart station = prepareProgramStart({"tessorin", "--job", job}, false);
    EXPECT_EQ(station.kind, Kind::Station) << station.output;
    EXPECT_EQ(station.stationJob, (download::StationJob{dir.path("a.rom"), {"4c10 0102"}}));
}

// A wrong command line is followed by the usage; a results file that cannot be
// opened only by its reason, the command line being right.
TEST(ProgramStart, BadCommandLinesExitWithTwoAndTheUsage) {
    emulator::EmulatorSession session;
    TempFolder dir;
    const std::string fifo = dir.path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    dir.write("a.rom", "00\n");
    const std::string storeless = dir.write("storeless.toml", "image = \"a.rom\"\n[[identity]]\nname = \"s\"\n"
                                                               "source = \"counter\"\nfirst = 1\nlast = 9\nwidth = 1\n"
                                                               "target = \"memory\"\naddress = 0x4c20\n");
    struct Case {
        std::vector<std::string> words;
        std::string firstLine;
        bool usage;
    };
    const Case cases[] = {
        {{"tessorin", "--verbose", "a.rom"}, "tessorin: unknown option --verbose", true},
        {{"tessorin", "--count", "many", "a.rom"}, "tessorin: --count needs a whole number from 1 to 1000000000, not \"many\"", true},
        {{"tessorin", "--board"}, "tessorin: --board needs a value", true},
        {{"tessorin", "--results", dir.path("no such folder/r.jsonl"), "a.rom"},
         "tessorin: cannot open the results file " + dir.path("no such folder/r.jsonl") + ": No such file or directory",
         false},
        {{"tessorin", "--results", dir.path(""), "a.rom"},
         "tessorin: cannot open the results file " + dir.path("") + ": Is a directory", false},
        {{"tessorin", "--all-boards", "--results", dir.path(""), "a.rom"},
         "tessorin: cannot open the results file " + dir.path("") + ": Is a directory", false},
        {{"tessorin", "--results", fifo, "a.rom"},
         "tessorin: cannot open the results file " + fifo + ": not a regular file (a FIFO)", false},
        {{"tessorin", "--all-boards", "--results", "/dev/full", "a.rom"},
         "tessorin: cannot open the results file /dev/full: not a regular file", false},
        {{"tessorin", "--job", dir.path("none.toml")}, "tessorin: " + dir.path("none.toml") + ": cannot read the job file",
         false},
        {{"tessorin", "--all-boards", "--job", dir.path("none.toml")},
         "tessorin: " + dir.path("none.toml") + ": cannot read the job file", false},
        {{"tessorin", "--job", storeless},
         "tessorin: " + storeless + ": identity fields need a store: store = \"FILE\" in the job, or --store", false},
        {{"tessorin", "--store", dir.path(""), "a.rom"},
         "tessorin: cannot open the store " + dir.path("") + ": " + dir.path("") + ": unable to open database file", false},
        {{"tessorin", "results", "--store", dir.path("none.sqlite"), "summary"},
         "tessorin: cannot read the store " + dir.path("none.sqlite") + ": no such file", false},
        {{"tessorin", "results", "--store=" + dir.path("none.sqlite"), "colour"},
         "tessorin: not a question of results: colour\nusage: tessorin results --store STORE "
         "summary|failures|find VALUE|pools|export --csv|--jsonl", false},
    };
    for (const Case& c : cases) {
        ProgramStart start = prepareProgramStart(c.words, false);
        EXPECT_EQ(start.kind, Kind::Answered) << c.firstLine;
        EXPECT_EQ(start.exitCode, 2) << c.firstLine;
        EXPECT_EQ(start.output, c.firstLine + "\n" + (c.usage ? stationUsage() : ""));
        EXPECT_FALSE(start.stationRun);
        EXPECT_EQ(chosenBoard(), "");
    }
    ProgramStart help = prepareProgramStart({"tessorin", "--help"}, false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output, stationUsage());
    ProgramStart version = prepareProgramStart({"tessorin", "--version"}, false);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, versionLine("tessorin"));
}

TEST(ProgramStart, StationWithOptionsGetsItsRunAndItsBoard) {
    emulator::EmulatorSession session;
    TempFolder dir;
    ProgramStart seed = prepareProgramStart({"tessorin", "a.rom", "8010 01"}, true);
    EXPECT_EQ(seed.kind, Kind::Station);
    EXPECT_EQ(seed.stationJob, (download::StationJob{"a.rom", {"8010 01"}}));
    EXPECT_FALSE(seed.stationRun);
    EXPECT_EQ(chosenBoard(), "");

    const std::string results = dir.path("r.jsonl");
    ProgramStart station =
        prepareProgramStart({"tessorin", "--board", "SN-7", "--results", results, "--count", "2", "a.rom"}, false);
    EXPECT_EQ(station.kind, Kind::Station);
    EXPECT_EQ(station.stationJob, (download::StationJob{"a.rom", {}}));
    ASSERT_TRUE(station.stationRun);
    EXPECT_FALSE(station.stationRun->countReached());
    EXPECT_EQ(chosenBoard(), "SN-7");
    EXPECT_TRUE(pathExists(results));  // opened, and so made, before the station starts

    ProgramStart window = prepareProgramStart({"tessorin"}, false);
    EXPECT_EQ(window.kind, Kind::Window);
    EXPECT_EQ(window.stationJob, download::StationJob{});
}

}  // namespace
}  // namespace tessorin
