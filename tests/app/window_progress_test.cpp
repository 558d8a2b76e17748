#include "app/window_progress.h"

#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "emulator/emulator_session.h"
#include "tests/support/temp_folder.h"
#include "tests/download/temp_code_file.h"
#include "tests/download/wire_lines.h"
#include "runner/log_capture.h"
#include "runner/window_harness.h"

namespace tessorin::testing {
namespace {

TEST(WindowProgress, DownloadFillsTheBarAndANewDownloadEmptiesIt) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x6D10);
    runner::LogCapture log;
    runner::WindowHarness harness;
    ASSERT_TRUE(harness.start());
    TempCodeFile rom(bytePerLineText(countingBytes(6100)), "big.rom");

    harness.window.OnDropFiles({rom.path()});
    harness.window.onCommand(kDownloadButtonId);
    harness.workers.waitAll();
    const std::vector<int> filled = harness.controls.progressSteps();
    ASSERT_GE(filled.size(), 50u);
    EXPECT_EQ(filled.front(), 0);
    EXPECT_EQ(filled.back(), 100);
    for (size_t i = 1; i < filled.size(); ++i) EXPECT_GT(filled[i], filled[i - 1]) << "set only when it moves on";

    harness.window.OnDropFiles({"/nonexistent/next.rom"});
    harness.window.onCommand(kDownloadButtonId);
    harness.workers.waitAll();
    EXPECT_EQ(harness.controls.progressSteps().size(), filled.size() + 1);
    EXPECT_EQ(harness.controls.progressSteps().back(), 0);
    EXPECT_EQ(harness.controls.unknownIdUses(), 0);
}

// The seed's station has no bar to fill: its worker reports no progress at all.
TEST(WindowProgress, SeedStationLeavesTheBarAlone) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x6D10);
    runner::LogCapture log;
    TempCodeFile rom(bytePerLineText(countingBytes(300)), "station.rom");
    runner::WindowHarnessOptions options;
    options.stationJob = download::StationJob{rom.path(), {}};
    int passes = 0;
    options.stationStop = [&] { return ++passes > 2; };
    runner::WindowHarness harness(options);
    ASSERT_TRUE(harness.start());
    EXPECT_NE(log.text().find("download success!"), std::string::npos) << log.text();
    EXPECT_TRUE(harness.controls.progressSteps().empty());
    EXPECT_EQ(log.text().find("download 100%"), std::string::npos);
}

}  // namespace
}  // namespace tessorin::testing
