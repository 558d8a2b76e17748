#include <gtest/gtest.h>

#include <filesystem>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/program_path.h"
#include "station/station_console.h"
#include "base/format.h"
#include "base/paths.h"
#include "station/station_run.h"
#include "emulator/emulator_session.h"
#include "runner/log_capture.h"
#include "runner/window_harness.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

TEST(InteractiveStart, ShowsLocalisedTextsAndLogsTheVersion) {
    runner::WindowHarness::prepareMessages();
    runner::LogCapture log;
    runner::WindowHarness harness;
    ASSERT_TRUE(harness.start());
    runner::MemoryControls& c = harness.controls;
    EXPECT_EQ(c.controlText(kDownloadButtonId), "Download");
    EXPECT_EQ(c.controlText(kSelectIniButtonId), "Select INI");
    EXPECT_EQ(c.controlText(kSelectRomButtonId), "Select ROM");
    EXPECT_EQ(c.controlText(kUnnamedControlId), "ROM Path");
    EXPECT_EQ(c.controlText(kDragHintLabelId), "drag the INI file or download the firmware into the program");
    // Only the first unnamed control takes the caption text.
    EXPECT_EQ(c.find(kUnnamedControlId)->kind, ControlKind::Static);
    EXPECT_TRUE(c.iconsSet());
    EXPECT_TRUE(c.acceptsDrops());
    EXPECT_TRUE(c.dragHintFontSet());
    EXPECT_FALSE(c.hiddenForStation());
    EXPECT_EQ(harness.openedLogTargets(), std::vector<LogTarget>{LogTarget::File});
    EXPECT_EQ(log.maskedText(), "file log\n[T]\t\tcurrent version:[Tessorin V2.4.6]\n\n");
    EXPECT_EQ(harness.window.programDir, "/opt/station");
    EXPECT_EQ(harness.window.rfRows, fixedRfRows());
    EXPECT_EQ(harness.window.rfRows.size(), 9u);
    // Nothing is loaded before the operator chooses a file.
    EXPECT_EQ(harness.window.configuration, nullptr);
    EXPECT_TRUE(c.find(1019)->items.empty());
    EXPECT_TRUE(c.createdIds().empty());
    EXPECT_EQ(c.paneText(), "");
    EXPECT_EQ(harness.workers.started(), 0);
    EXPECT_EQ(c.unknownIdUses(), 0);
}

TEST(InteractiveStart, WritesAFreshLogFileBesideTheProgram) {
    TempFolder dir;
    const std::string program = dir.path("tool");
    for (int run = 0; run < 2; ++run) {
        runner::MemoryControls controls;
        runner::ScriptedFileDialog dialog;
        CBrevoxDownloadToolDlg window(
            {dialog, std::nullopt, [&] { return program; }, openLogDestination, [](auto) { return false; }, {}});
        window.attachControls(controls);
        ASSERT_TRUE(window.OnInitDialog());
        writeLog(formatText("run %d", {run}));
        EXPECT_EQ(window.logDestination.path, program + "log/download.log");
    }
    std::string text = runner::maskTimestamps(fileText(program + "log/download.log"));
    setLogOutput(nullptr);
    EXPECT_EQ(text, "file log\n[T]\t\tcurrent version:[Tessorin V2.4.6]\n\n[T]\t\trun 1\n");
}

TEST(ProgramPath, FolderIsTheTextBeforeTheLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\station\\tool.exe", "C:\\station"},
        {"/opt/station/tessorin", "/opt/station"},
        {"C:/mixed\\dir/tool.exe", "C:/mixed\\dir"},
        {"tool.exe", ""},
        {"", ""},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(folderOfPath(path), folder) << path;
}

class CommandLineStart : public ::testing::Test {
protected:
    // The station loop stops before its second pass.
    runner::WindowHarnessOptions optionsFor(download::StationJob job) {
        runner::WindowHarnessOptions options;
        options.stationJob = std::move(job);
        options.stationStop = [this] { return ++passes > 1; };
        return options;
    }

    bool messagesReady = runner::WindowHarness::prepareMessages();
    emulator::EmulatorSession session;
    runner::LogCapture log;
    int passes = 0;
};

TEST_F(CommandLineStart, MissingImageIsLoggedAndTheStationStillRuns) {
    runner::WindowHarness harness(optionsFor({"/no/such/image.rom", {}}));
    ASSERT_TRUE(harness.start());
    EXPECT_TRUE(harness.controls.hiddenForStation());
    EXPECT_EQ(harness.openedLogTargets(), std::vector<LogTarget>{LogTarget::Console});
    EXPECT_EQ(harness.window.romPath, "");
    const std::string expectedStart =
        "console\n"
        "[T]\t\tcurrent version:[Tessorin V2.4.6]\n\n"
        "[T]\t\tromFileWithCommand:/no/such/image.rom\n\n"
        "[T]\t\tThe file to be downloaded does not exist. Please verify and try downloading again.\n\n";
    std::string text = log.maskedText();
    ASSERT_GE(text.size(), expectedStart.size());
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
    // No board is present: the loop's first pass says so.
    EXPECT_NE(text.find("Failed to openUSB.", expectedStart.size()), std::string::npos) << text;
    EXPECT_GE(passes, 1);
    EXPECT_FALSE(harness.controls.dragHintFontSet());
    EXPECT_TRUE(harness.window.rfRows.empty());
}

TEST_F(CommandLineStart, PresentImageIsNotReportedMissing) {
    TempFolder dir;
    std::string image = dir.write("image.rom", "00\n");
    runner::WindowHarness harness(optionsFor({image, {}}));
    ASSERT_TRUE(harness.start());
    EXPECT_EQ(log.text().find("does not exist"), std::string::npos);
}

// A station given options may be one that --all-boards reads through a pipe;
// the plain station keeps its own console wherever its output goes.
TEST_F(CommandLineStart, OnlyAStationGivenOptionsMayLogThroughAPipe) {
    std::string problem;
    const std::unique_ptr<StationRun> run = StationRun::start({"", 1, false}, problem);
    ASSERT_TRUE(run) << problem;
    runner::WindowHarnessOptions options = optionsFor({"/fw/a.rom", {}});
    options.stationRun = run.get();
    runner::WindowHarness withOptions(options);
    ASSERT_TRUE(withOptions.start());
    EXPECT_EQ(withOptions.openedLogTargets(), std::vector<LogTarget>{LogTarget::PipeOrConsole});

    runner::WindowHarness plain(optionsFor({"/fw/a.rom", {}}));
    ASSERT_TRUE(plain.start());
    EXPECT_EQ(plain.openedLogTargets(), std::vector<LogTarget>{LogTarget::Console});
}

TEST(StationConsole, InvisibleWindowKeepsOnlyItsCaption) {
    StationConsoleHost host({"/fw/a.rom", {"8010 01"}});
    InvisibleWindowControls controls;
    controls.setWindowCaption("Tessorin V2.4.6");
    EXPECT_EQ(controls.windowCaption(), "Tessorin V2.4.6");
    EXPECT_EQ(controls.comboGetCurSel(1019), -1);
    WindowSeams seams = host.windowSeams();
    EXPECT_EQ(seams.stationJob, (download::StationJob{"/fw/a.rom", {"8010 01"}}));
    EXPECT_FALSE(seams.stationStop);
}

TEST(WindowKeys, EscapeAndEnterAreConsumed) {
    runner::LogCapture log;
    runner::WindowHarness harness;
    ASSERT_TRUE(harness.start());
    const std::pair<int, bool> cases[] = {{kEscapeKey, true}, {kEnterKey, true}, {'A', false}, {0x09, false},
                                          {0x20, false}};
    for (const auto& [key, consumed] : cases) EXPECT_EQ(harness.window.preTranslateKeyDown(key), consumed) << key;
    EXPECT_EQ(harness.controls.paneText(), "");
}

TEST(WindowCommands, UnroutedIdsDoNothing) {
    runner::LogCapture log;
    runner::WindowHarness harness;
    ASSERT_TRUE(harness.start());
    log.clear();
    for (int id : {1375, 1323, 1002, 1006, 9999, -1}) EXPECT_FALSE(harness.window.onCommand(id)) << id;
    EXPECT_EQ(harness.controls.paneText(), "");
    EXPECT_EQ(log.text(), "");
}

TEST(WindowCommands, FixedButtonsReachTheirHandlers) {
    runner::LogCapture log;
    runner::WindowHarness harness;
    ASSERT_TRUE(harness.start());
    log.clear();
    // Before any INI load every SELECT row stops at its empty combo box.
    EXPECT_TRUE(harness.window.onCommand(1015));
    EXPECT_EQ(harness.controls.paneText(), "please select power typeKeyStr\n\r\n");
    // The Download button without an image.
    EXPECT_TRUE(harness.window.onCommand(kDownloadButtonId));
    EXPECT_NE(harness.controls.paneText().find("please select ROM file first"), std::string::npos);
    // Select ROM asks the dialog.
    EXPECT_TRUE(harness.window.onCommand(kSelectRomButtonId));
    EXPECT_EQ(harness.fileDialog.requests().size(), 1u);
}

TEST(MinimisedIcon, IsCentredInTheClientArea) {
    EXPECT_EQ(CBrevoxDownloadToolDlg::minimisedIconOrigin(100, 80, 32, 32), (PixelPoint{34, 24}));
    EXPECT_EQ(CBrevoxDownloadToolDlg::minimisedIconOrigin(101, 81, 32, 32), (PixelPoint{35, 25}));
    EXPECT_EQ(CBrevoxDownloadToolDlg::minimisedIconOrigin(16, 16, 32, 32), (PixelPoint{-7, -7}));
}

TEST(MessageTableOfTheWindow, SecondWindowSharesTheTable) {
    runner::WindowHarness first;
    runner::WindowHarness second;
    EXPECT_EQ(first.window.messages, second.window.messages);
}

}  // namespace
}  // namespace tessorin::testing
