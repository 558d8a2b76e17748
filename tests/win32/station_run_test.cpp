// The command-line start with options in the real dialog: the station ends the
// program once its count of chips has finished, with the results written through
// the Windows file and hash APIs.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "app/main_window.h"
#include "win32/main_dialog.h"
#include "station/station_run.h"
#include "base/paths.h"
#include "base/sha256.h"
#include "emulator/emulator_session.h"
#include "tests/support/temp_folder.h"
#include "tests/download/temp_code_file.h"
#include "tests/download/wire_lines.h"
#include "runner/log_capture.h"
#include "runner/scripted_file_dialog.h"
#include "runner/window_harness.h"

namespace tessorin::testing {
namespace {

TEST(StationWithOptions, EndsAfterItsCountWithTheResultsLines) {
    struct Case {
        const char* what;
        bool imagePresent;
        const char* result;
        const char* reason;  // nullptr: none
        int exitCode;
    };
    const Case cases[] = {
        {"missing image", false, "fail", "no_image", 1},
        {"image present", true, "success", nullptr, 0},
    };
    for (const Case& c : cases) {
        emulator::EmulatorSession session;
        session.emulator.addBoard(0x6D10);
        runner::LogCapture log;
        TempFolder dir;
        const std::string image = c.imagePresent ? dir.write("image.rom", bytePerLineText(countingBytes(200)))
                                                 : dir.path("no such image.rom");
        std::string problem;
        std::unique_ptr<StationRun> run = StationRun::start({dir.path("r.jsonl"), 1, true}, problem);
        ASSERT_TRUE(run) << problem;
        const download::StationJob job{image, {}};
        runner::ScriptedFileDialog fileDialog;
        runner::JoinableWorkers workers;
        CBrevoxDownloadToolDlg window(WindowSeams{
            fileDialog, job, [] { return std::string("C:\\station\\tessorin.exe"); },
            [](LogDestination&, const std::string&, LogTarget) {},
            [&workers](std::function<void()> work) { return workers.start(std::move(work)); }, {}, run.get()});
        win32::Win32DialogHost host(job, run.get());
        host.runModal(window);  // returns only because the station ended the dialog
        workers.waitAll();

        EXPECT_TRUE(run->countReached()) << c.what;
        EXPECT_EQ(run->exitCode(), c.exitCode) << c.what;
        const nlohmann::json line = nlohmann::json::parse(readWholeFile(dir.path("r.jsonl")).value_or("{}"));
        EXPECT_EQ(line["result"], c.result) << c.what;
        EXPECT_EQ(line["reason"], c.reason ? nlohmann::json(c.reason) : nlohmann::json()) << c.what;
        EXPECT_EQ(line["image"], image) << c.what;
        const std::optional<std::string> bytes = readWholeFile(image);
        EXPECT_EQ(line["image_sha256"], bytes ? nlohmann::json(sha256Hex(*bytes)) : nlohmann::json()) << c.what;
        EXPECT_NE(log.text().find(c.imagePresent ? "chips: 1 passed, 0 failed, yield 100.0%"
                                                 : "chips: 0 passed, 1 failed, yield 0.0%"),
                  std::string::npos)
            << log.text();
    }
}

}  // namespace
}  // namespace tessorin::testing
