// The download procedures report the image's bytes sent to a progress sink.
#include <gtest/gtest.h>

#include "device/hid_link.h"
#include "download/dat_download.h"
#include "download/download_button.h"
#include "download/rom_download.h"
#include "download_test_host.h"
#include "emulator/emulator_session.h"
#include "temp_code_file.h"
#include "runner/log_capture.h"
#include "wire_lines.h"

namespace tessorin::download {
namespace {

using namespace tessorin::testing;

// Starts at 0 of the total, never falls, keeps its total, and ends at lastSent.
void expectOneTransfer(const std::vector<ProgressStep>& steps, uint64_t total, uint64_t lastSent) {
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), (ProgressStep{0, total}));
    for (size_t i = 1; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].total, total) << i;
        EXPECT_GE(steps[i].sent, steps[i - 1].sent) << i;
    }
    EXPECT_EQ(steps.back().sent, lastSent);
}

TEST(DownloadProgress, RomImageReachesItsWholeSizeOnlyWhenEveryReportWentOut) {
    struct Case {
        const char* what;
        int unplugAfterImageReports;  // 0: no fault
        uint64_t lastSent;
        size_t steps;
        bool succeeds;
    };
    // 300 bytes: image reports of 58, 61, 61, 61, 59 bytes; the handshake, the
    // hold and the port set-up take 6 requests before them.
    const Case cases[] = {
        {"whole image", 0, 300, 6, true},
        {"board gone after the second image report", 2, 119, 3, false},
        {"board gone after the last image report", 5, 300, 6, false},
    };
    TempCodeFile file(bytePerLineText(countingBytes(300)));
    for (const Case& c : cases) {
        emulator::EmulatorSession session;
        const int device = session.emulator.addBoard(0x6D10);
        setHidLink(openDownloadBoard());
        if (c.unplugAfterImageReports) session.emulator.unplugAfterRequests(device, 6 + c.unplugAfterImageReports);
        RecordingProgress progress;
        EXPECT_EQ(static_cast<bool>(downloadRomImage(file.path(), &progress)), c.succeeds) << c.what;
        expectOneTransfer(progress.steps(), 300, c.lastSent);
        EXPECT_EQ(progress.steps().size(), c.steps) << c.what;
        EXPECT_EQ(progress.finishes(), 1) << c.what;
    }
}

TEST(DownloadProgress, ImageThatIsNeverSentReportsNothing) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x6D10);
    runner::LogCapture log;
    setHidLink(openDownloadBoard());
    RecordingProgress progress;
    EXPECT_FALSE(downloadRomImage("/nonexistent/image.rom", &progress));
    EXPECT_FALSE(downloadDatImage("/nonexistent/image.dat", &progress));
    EXPECT_TRUE(progress.steps().empty());
    EXPECT_EQ(progress.finishes(), 0);
}

TEST(DownloadProgress, DatImageCountsUpPageByPage) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x6D10);
    setHidLink(openDownloadBoard());
    TempCodeFile file(bytePerLineText(countingBytes(70)), "image.dat");
    RecordingProgress progress;
    ASSERT_TRUE(downloadDatImage(file.path(), &progress));
    EXPECT_EQ(progress.steps(), (std::vector<ProgressStep>{{0, 70}, {32, 70}, {64, 70}, {70, 70}}));
    EXPECT_EQ(progress.finishes(), 1);
}

// A new download empties the window's bar first, even one whose file is missing.
TEST(DownloadProgress, ButtonWorkerStartsFromAnEmptyBar) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x6D10);
    runner::LogCapture log;
    DownloadTestHost host;
    TempCodeFile file(bytePerLineText(countingBytes(100)));
    host.romPathValue = file.path();
    onDownloadButton(host);
    host.romPathValue = "/nonexistent/image.rom";
    onDownloadButton(host);
    const std::vector<ProgressStep> steps = host.progress.steps();
    EXPECT_EQ(steps, (std::vector<ProgressStep>{{0, 0}, {0, 100}, {58, 100}, {100, 100}, {0, 0}}));
}

}  // namespace
}  // namespace tessorin::download
