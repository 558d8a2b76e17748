// Starting other programs on Windows: the command line each gets, and their
// output read back through the pipe.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/program_path.h"
#include "base/child_process.h"
#include "base/text.h"
#include "report/message_table.h"
#include "base/windows_command_line.h"
#include "win32/win32_text.h"

namespace tessorin::testing {
namespace {

// What the started program's CommandLineToArgvW makes of the line.
std::vector<std::string> splitBack(const std::string& line) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(win32::toWide(line).c_str(), &count);
    std::vector<std::string> split;
    for (int i = 0; i < count; ++i) split.push_back(win32::fromWide(words[i]));
    LocalFree(words);
    return split;
}

TEST(WindowsCommandLine, SplitsBackIntoTheSameWords) {
    const std::vector<std::string> words = {"C:\\station dir\\tessorin.exe", "--board", "TSB0001", "",
                                            "4c10 a1b2", "say \"hi\"", "C:\\my folder\\", "a\\\\\"b",
                                            "tab\there", "\xe5\x9b\xba\xe4\xbb\xb6.rom"};
    EXPECT_EQ(splitBack(windowsCommandLine(words)), words);
}

TEST(ChildProcess, OutputAndExitStatusComeBack) {
    ChildProcess child("C:\\windows\\system32\\cmd.exe", {"/c", "echo first&& echo second&& exit 3"});
    ASSERT_TRUE(child.started()) << child.problem();
    std::vector<std::string> lines;
    for (std::string line; child.readLine(line);) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(child.wait(), 3);
}

TEST(ChildProcess, AProgramThatCannotStartSaysWhy) {
    ChildProcess child("C:\\nowhere\\tessorin.exe", {"--board", "TSB0001"});
    EXPECT_FALSE(child.started());
    EXPECT_EQ(child.problem().rfind("cannot start C:\\nowhere\\tessorin.exe: error ", 0), 0u) << child.problem();
}

// A station of one board, as --all-boards starts it: its console lines come
// through the pipe (no board under Wine, so it waits for one until it is ended).
TEST(ChildProcess, AStationsConsoleLinesComeThroughThePipe) {
    const std::string program = folderOfPath(currentProgramPath()) + "\\tessorin.exe";
    ChildProcess station(program, {"--board", "TSB0001", "--count", "1", "--", "C:\\no such\\image.rom"});
    ASSERT_TRUE(station.started()) << station.problem();
    const std::string openFailed = replaceAll(MessageTable(1252)[msgOpenUsbFail], "\n", "");
    std::vector<std::string> lines;
    for (std::string line; lines.size() < 40 && station.readLine(line);) {
        lines.push_back(line);
        if (line.ends_with(openFailed)) break;
    }
    ASSERT_FALSE(lines.empty());
    // After the message table's "cur encoding" line, which goes to standard output too.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "console"), lines.end());
    EXPECT_TRUE(lines.back().ends_with(openFailed)) << lines.back();
}

}  // namespace
}  // namespace tessorin::testing
