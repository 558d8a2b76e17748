#include "base/child_process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessorin::testing {
namespace {

std::vector<std::string> allLines(ChildProcess& child) {
    std::vector<std::string> lines;
    for (std::string line; child.readLine(line);) lines.push_back(line);
    return lines;
}

TEST(ChildProcess, OutputComesBackLineByLineWithTheExitStatus) {
    struct Case {
        const char* script;
        std::vector<std::string> lines;
        int status;
    };
    const Case cases[] = {
        {"printf 'a\\nb\\r\\n\\nc'", {"a", "b", "", "c"}, 0},
        {"echo out; echo err >&2; exit 3", {"out", "err"}, 3},
        {"true", {}, 0},
        {"echo before; kill -TERM $$", {"before"}, 128 + 15},
    };
    for (const Case& c : cases) {
        ChildProcess child("/bin/sh", {"-c", c.script});
        ASSERT_TRUE(child.started()) << child.problem();
        EXPECT_EQ(allLines(child), c.lines) << c.script;
        EXPECT_EQ(child.wait(), c.status) << c.script;
        EXPECT_EQ(child.wait(), c.status) << "a second wait gives the same status";
    }
}

TEST(ChildProcess, ArgumentsArriveAsGiven) {
    ChildProcess child("/bin/sh", {"-c", "for word; do echo \"[$word]\"; done", "sh", "a b", "\"q\"", "", "TSB0001"});
    EXPECT_EQ(allLines(child), (std::vector<std::string>{"[a b]", "[\"q\"]", "[]", "[TSB0001]"}));
}

TEST(ChildProcess, LongOutputArrivesWhole) {
    ChildProcess child("/bin/sh", {"-c", "i=0; while [ $i -lt 5000 ]; do echo line$i; i=$((i+1)); done"});
    const std::vector<std::string> lines = allLines(child);
    ASSERT_EQ(lines.size(), 5000u);
    EXPECT_EQ(lines.front(), "line0");
    EXPECT_EQ(lines.back(), "line4999");
}

TEST(ChildProcess, AProgramThatCannotStartSaysWhy) {
    ChildProcess child("/nonexistent/tessorin", {"--board", "TSB0001"});
    EXPECT_FALSE(child.started());
    EXPECT_EQ(child.problem().rfind("cannot start /nonexistent/tessorin: ", 0), 0u) << child.problem();
    std::string line;
    EXPECT_FALSE(child.readLine(line));
    EXPECT_EQ(child.wait(), -1);
}

// Nobody reads or waits: the program is ended with its reader.
TEST(ChildProcess, LeavingWithoutReadingEndsAWriterThatNeverStops) {
    ChildProcess child("/usr/bin/yes", {});
    ASSERT_TRUE(child.started());
}

}  // namespace
}  // namespace tessorin::testing
