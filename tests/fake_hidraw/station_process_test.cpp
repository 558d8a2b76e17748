// The station program as an operator starts it, a process of its own on the
// fake boards' testbed: its answers to the command line, and a --board that
// names a board not plugged in yet.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/child_process.h"
#include "base/text.h"
#include "report/message_table.h"
#include "station/station_command_line.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"

namespace tessorin::testing {
namespace {

constexpr uint16_t kChip = 0x6D10;

std::vector<std::string> linesOfText(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string seedLine(MessageId message) { return replaceAll(MessageTable(1252)[message], "\n", ""); }

class StationProcess : public FakeBoardTest {};

// An answer is all the program says; one line more than expected is enough to
// see that it went on (a station started instead), without waiting for its end.
TEST_F(StationProcess, AnswersTheCommandLineAndEnds) {
    TempFolder dir;
    const std::string results = dir.path("no such folder/r.jsonl");
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> lines;
        int exitStatus;
    };
    const Case cases[] = {
        {{"-h"}, linesOfText(stationUsage()), 0},
        {{"--results", results, "a.rom"},
         {"tessorin: cannot open the results file " + results + ": No such file or directory"},
         2},
    };
    for (const Case& c : cases) {
        ChildProcess program(programBeside("tessorin"), c.arguments);
        ASSERT_TRUE(program.started()) << program.problem();
        std::vector<std::string> lines;
        for (std::string line; lines.size() <= c.lines.size() && program.readLine(line);) lines.push_back(line);
        EXPECT_EQ(lines, c.lines) << c.arguments[0];
        if (lines == c.lines) {
            EXPECT_EQ(program.wait(), c.exitStatus) << c.arguments[0];
        }
    }
}

// The station says once which board it waits for, keeps the seed's lines
// meanwhile, and takes the board when it is plugged in.
TEST_F(StationProcess, WaitsForTheChosenBoardNamingItOnce) {
    boards.addBoard(kChip);  // 1-1, not the chosen one
    TempCodeFile image(bytePerLineText(imageBytes(300)));
    ChildProcess program(programBeside("tessorin"), {"--board", "1-2", "--count", "1", image.path()});
    ASSERT_TRUE(program.started()) << program.problem();
    const std::string note = "board 1-2 is not present: the station waits for it";
    std::vector<std::string> lines;
    size_t reopens = 0;
    for (std::string line; reopens < 3 && program.readLine(line);) {
        lines.push_back(line);
        if (line.ends_with(seedLine(msgReopenUsb))) ++reopens;
    }
    ASSERT_EQ(reopens, 3u);
    boards.addBoard(kChip);
    for (std::string line; program.readLine(line);) lines.push_back(line);
    EXPECT_EQ(program.wait(), 0);

    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    const size_t firstNote = all.find("\t\t" + note + "\n");
    EXPECT_NE(firstNote, std::string::npos) << all;
    EXPECT_EQ(all.find(note, firstNote + note.size()), std::string::npos) << all;
    EXPECT_LT(firstNote, all.find(seedLine(msgOpenUsbFail))) << all;
    EXPECT_NE(all.find(seedLine(msgDownloadSuccess)), std::string::npos) << all;
}

}  // namespace
}  // namespace tessorin::testing
