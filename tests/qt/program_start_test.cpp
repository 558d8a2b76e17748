// How the Linux program starts where its window cannot be what it usually is:
// a display that does not answer, a log folder it cannot write.
#include <gtest/gtest.h>

#include "app/program_path.h"
#include "base/child_process.h"
#include "base/paths.h"
#include "runner/log_capture.h"
#include "tests/qt/qt_window_session.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

TEST(ProgramStart, ADisplayThatDoesNotAnswerIsSaidAndEndsWithStatusTwo) {
    ASSERT_FALSE(pathExists("/tmp/.X11-unix/X917")) << "an X server runs on :917";
    ScopedEnvironment environment;
    // This suite's own offscreen platform is not the program's.
    environment.set("DISPLAY", ":917").set("QT_QPA_PLATFORM", std::nullopt).set("WAYLAND_DISPLAY", std::nullopt);
    ChildProcess program(folderOfPath(currentProgramPath()) + "/tessorin", {});
    std::string output;
    for (std::string line; program.readLine(line);) output += line + "\n";
    EXPECT_EQ(program.wait(), 2) << output << program.problem();
    EXPECT_EQ(output.rfind("tessorin: cannot open the display :917 ", 0), 0u) << output;
}

TEST(ProgramStart, ALogFolderThatCannotBeWrittenMovesToTheStateFolderAndThePaneSaysWhere) {
    runner::LogCapture capture;
    TempFolder dir("unwritable");
    ScopedEnvironment environment;
    environment.set("XDG_STATE_HOME", dir.path("state"));
    QtWindowOptions options;
    options.programPath = dir.write("blocker", "") + "/tessorin";  // nothing can be made under a file, even by root
    options.openLog = openLogDestination;
    QtWindowSession session(options);
    session.run([&] {
        const std::string log = dir.path("state") + "/tessorin/download.log";
        EXPECT_EQ(session.pane(), "the folder beside the program cannot be written; the log is " + log + "\n");
        EXPECT_TRUE(pathExists(log));
    });
}

}  // namespace
}  // namespace tessorin::testing
