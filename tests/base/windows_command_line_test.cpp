#include "base/windows_command_line.h"

#include <gtest/gtest.h>

namespace tessorin::testing {
namespace {

// The splitting rules of CommandLineToArgvW, read backwards: tests/win32 feeds
// the same words through the real function.
TEST(WindowsCommandLine, EachWordIsQuotedSoItSplitsBackAsItWas) {
    struct Case {
        const char* word;
        const char* quoted;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"C:\\station\\tessorin.exe", "C:\\station\\tessorin.exe"},
        {"", "\"\""},
        {"4c10 a1b2", "\"4c10 a1b2\""},
        {"tab\there", "\"tab\there\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\my folder\\", "\"C:\\my folder\\\\\""},
        {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},
        {"back\\slash only", "\"back\\slash only\""},
    };
    for (const Case& c : cases) EXPECT_EQ(quotedCommandLineWord(c.word), c.quoted) << c.word;
    EXPECT_EQ(windowsCommandLine({"C:\\a b\\tessorin.exe", "--board", "TSB0001", "x.rom", "4c10 a1b2"}),
              "\"C:\\a b\\tessorin.exe\" --board TSB0001 x.rom \"4c10 a1b2\"");
}

}  // namespace
}  // namespace tessorin::testing
