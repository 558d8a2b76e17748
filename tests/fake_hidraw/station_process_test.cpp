// The station program as an operator starts it, a process of its own on the
// fake boards' testbed.
#include <gtest/gtest.h>

#include <string>

#include "base/child_process.h"
#include "base/text.h"
#include "report/message_table.h"
#include "station/station_command_line.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"

namespace tessorin::testing {
namespace {

std::string seedLine(MessageId message) { return replaceAll(MessageTable(1252)[message], "\n", ""); }

using StationProcess = FakeBoardTest;

// Reading one line past the usage shows a station that started instead, without waiting for its end.
TEST_F(StationProcess, ShortHelpAnswersAndEnds) {
    ChildProcess program(programBeside("tessorin"), {"-h"});
    const std::string usage = stationUsage();
    std::string text;
    for (std::string line; text.size() < usage.size() && program.readLine(line);) text += line + "\n";
    ASSERT_EQ(text, usage);
    EXPECT_EQ(program.wait(), 0);
}

// Named once, the seed's lines kept meanwhile, the board taken when it is plugged in.
TEST_F(StationProcess, WaitsForTheChosenBoardNamingItOnce) {
    boards.addBoard(0x6D10);  // 1-1, not the chosen one
    TempCodeFile image(bytePerLineText(imageBytes(300)));
    ChildProcess program(programBeside("tessorin"), {"--board", "1-2", "--count", "1", image.path()});
    std::string all;
    int reopens = 0;
    for (std::string line; reopens < 3 && program.readLine(line);) {
        all += line + "\n";
        reopens += line.ends_with(seedLine(msgReopenUsb)) ? 1 : 0;
    }
    boards.addBoard(0x6D10);
    for (std::string line; program.readLine(line);) all += line + "\n";
    EXPECT_EQ(program.wait(), 0) << all;
    const std::string note = "\t\tboard 1-2 is not present: the station waits for it\n";
    const size_t firstNote = all.find(note);
    EXPECT_LT(firstNote, all.find(seedLine(msgOpenUsbFail))) << all;
    EXPECT_EQ(all.find(note, firstNote + note.size()), std::string::npos) << all;
    EXPECT_NE(all.find(seedLine(msgDownloadSuccess)), std::string::npos) << all;
}

}  // namespace
}  // namespace tessorin::testing
