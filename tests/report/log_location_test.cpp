// Where the window's log file goes: beside the program as always, or, when
// that folder cannot be written, the user's state folder, said once on the console.
#include <gtest/gtest.h>

#include <optional>

#include "base/paths.h"
#include "report/log.h"
#include "runner/log_capture.h"
#include "tests/support/file_text.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

using testing::fileText;

TEST(LogLocation, BesideTheProgramElseTheUsersStateFolder) {
    testing::TempFolder dir("log_location");
    // Nothing can be made under a file, whoever runs the test (root included).
    const std::string blocked = dir.write("blocker", "") + "/tool";
    const std::string state = dir.path("state"), home = dir.path("home");
    struct Case {
        const char* what;
        std::string program;
        std::optional<std::string> stateHome;
        std::string expected;
    };
    const Case cases[] = {
        {"writable beside the program", dir.path("tool"), state, dir.path("tool") + "log/download.log"},
        {"XDG_STATE_HOME", blocked, state, state + "/tessorin/download.log"},
        {"no XDG_STATE_HOME", blocked, std::nullopt, home + "/.local/state/tessorin/download.log"},
        {"a relative XDG_STATE_HOME does not count", blocked, "state", home + "/.local/state/tessorin/download.log"},
    };
    for (const Case& c : cases) {
        testing::ScopedEnvironment environment;
        environment.set("XDG_STATE_HOME", c.stateHome).set("HOME", home);
        const bool moved = c.program == blocked;
        LogDestination destination;
        ::testing::internal::CaptureStderr();
        openLogDestination(destination, c.program, LogTarget::File);
        writeLog("a line\n");
        setLogOutput(nullptr);
        const std::string console = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(destination.attached) << c.what;
        EXPECT_EQ(destination.path, c.expected) << c.what;
        EXPECT_EQ(destination.inUserStateFolder, moved) << c.what;
        EXPECT_EQ(runner::maskTimestamps(fileText(c.expected)), "file log\n[T]\t\ta line\n\n") << c.what;
        EXPECT_EQ(console, moved ? "tessorin: the folder beside the program cannot be written; the log is " +
                                       c.expected + "\n"
                                 : "")
            << c.what;
        EXPECT_TRUE(moved || !pathExists(state)) << "the state folder was made, the log being beside the program";
    }
}

}  // namespace
}  // namespace tessorin
