#include "download/station_loop.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/format.h"
#include "device/hid_link.h"
#include "download_test_host.h"
#include "emulator/emulator_session.h"
#include "runner/log_capture.h"
#include "temp_code_file.h"
#include "wire_lines.h"

namespace tessorin::download {
namespace {

using namespace tessorin::testing;

class StationLoopTest : public ::testing::Test {
protected:
    StationLoopTest() : file(bytePerLineText(image), "station.rom") { job.imagePath = file.path(); }

    // Runs the loop for the given number of passes; beforePass(n) runs before pass n.
    void runPasses(int passes, const std::function<void(int)>& beforePass = [](int) {}) {
        int pass = 0;
        commandDownload(host, job, [&] {
            if (pass == passes) return true;
            beforePass(pass++);
            return false;
        });
    }

    std::string line(MessageId id) const { return "[T]\t\t" + host.messages()[id] + "\n"; }
    std::string lines(std::initializer_list<MessageId> ids) const {
        std::string text;
        for (MessageId id : ids) text += line(id);
        return text;
    }
    // The station worker's lines around a download of the image.
    std::string workerLines(MessageId result, const std::string& between = "") const {
        return line(msgDownloading) + "[T]\t\t" + formatText(host.messages()[msgRomPath], {file.path()}) + "\n" +
               between + line(result) + lines({msgDownloadStart, msgDownloadFinish});
    }
    Bytes codeLoadOf(int device) {
        return session.emulator.withChip(device, [](emulator::ChipModel& chip) { return chip.codeLoad(); });
    }

    emulator::EmulatorSession session;
    runner::LogCapture log;
    DownloadTestHost host;
    StationJob job;
    const Bytes image = countingBytes(120, 0x11);
    TempCodeFile file;
};

TEST_F(StationLoopTest, BoardWithoutChipWaitsAboutOnceASecond) {
    session.emulator.addBoardWithoutChip();
    runPasses(3);
    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbSuccess, msgWaitingConnect, msgWaitingConnect, msgWaitingConnect}));
    EXPECT_EQ(session.clock.sleptMs(), 3000u);
    EXPECT_EQ(host.startRequests, 0);
}

TEST_F(StationLoopTest, DownloadedChipLeftAttachedIsAskedToBeReplaced) {
    const int device = session.emulator.addBoard(0x6D10);
    runPasses(3);
    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbSuccess, msgHandshakeSuccess}) + workerLines(msgDownloadSuccess) +
                                    lines({msgHandshakeSuccess, msgReplaceDevice, msgHandshakeSuccess, msgReplaceDevice}));
    EXPECT_EQ(codeLoadOf(device), image);
    EXPECT_EQ(host.startRequests, 1);
    EXPECT_TRUE(hidLinkOpen());  // the station keeps its link
    EXPECT_EQ(host.paneText(), "");
    EXPECT_EQ(countOf(session.emulator.trace(), requestOf({0x16, 0x01, 0x10, 0x80, 0x01})), 0u);  // no presets, no 0x8010
}

TEST_F(StationLoopTest, FailedDownloadStillCountsAsDownloaded) {
    session.emulator.addBoard(0x6D10);
    job.imagePath = "/nonexistent/station.rom";
    runPasses(2);
    const std::string failed = line(msgDownloading) + "[T]\t\t" +
                               formatText(host.messages()[msgRomPath], {job.imagePath}) + "\n" +
                               "error opening code file /nonexistent/station.rom\n" + line(msgDownloadFail) +
                               lines({msgDownloadStart, msgDownloadFinish});
    EXPECT_EQ(log.maskedText(),
              lines({msgOpenUsbSuccess, msgHandshakeSuccess}) + failed + lines({msgHandshakeSuccess, msgReplaceDevice}));
}

TEST_F(StationLoopTest, Utf16ImageFailsEveryChipAndTheStationGoesOn) {
    const int device = session.emulator.addBoard(0x6D10);
    TempCodeFile utf16(std::string("\xFF\xFE" "1\0" "1\0\n\0", 8), "utf16.rom");
    job.imagePath = utf16.path();
    runPasses(4, [&](int pass) {
        if (pass == 1) session.emulator.detachChip(device);
        if (pass == 2) session.emulator.attachChip(device, 0x6D11);
    });
    const std::string failed = line(msgDownloading) + "[T]\t\t" + formatText(host.messages()[msgRomPath], {utf16.path()}) +
                               "\n[T]\t\tcode file " + utf16.path() +
                               " is UTF-16 text; save it as ASCII or UTF-8 and download again\n\n" +
                               line(msgDownloadFail) + lines({msgDownloadStart, msgDownloadFinish});
    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbSuccess, msgHandshakeSuccess}) + failed + line(msgWaitingConnect) +
                                    line(msgHandshakeSuccess) + failed + lines({msgHandshakeSuccess, msgReplaceDevice}));
    EXPECT_EQ(host.startRequests, 2);
    EXPECT_EQ(countOf(session.emulator.trace(), "> f2 17"), 0u);
    EXPECT_TRUE(codeLoadOf(device).empty());
}

TEST_F(StationLoopTest, SwappedChipGetsTheNextDownload) {
    const int device = session.emulator.addBoard(0x6D10);
    runPasses(4, [&](int pass) {
        if (pass == 1) session.emulator.detachChip(device);
        if (pass == 2) session.emulator.attachChip(device, 0x6D11);  // a fresh chip with empty memory
    });
    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbSuccess, msgHandshakeSuccess}) + workerLines(msgDownloadSuccess) +
                                    line(msgWaitingConnect) + line(msgHandshakeSuccess) +
                                    workerLines(msgDownloadSuccess) + lines({msgHandshakeSuccess, msgReplaceDevice}));
    EXPECT_EQ(codeLoadOf(device), image);
    EXPECT_EQ(host.startRequests, 2);
}

TEST_F(StationLoopTest, UnpluggedBoardIsFoundAgainWithoutReopenMessages) {
    const int device = session.emulator.addBoard(0x6D10);
    session.emulator.setTraceEnabled(false);
    runPasses(4, [&](int pass) {
        if (pass == 1) session.emulator.unplug(device);
        if (pass == 3) session.emulator.replug(device);
    });
    // Transfer failures are the transport's to repair: the loop only keeps handshaking.
    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbSuccess, msgHandshakeSuccess}) + workerLines(msgDownloadSuccess) +
                                    lines({msgWaitingConnect, msgWaitingConnect, msgHandshakeSuccess}) +
                                    workerLines(msgDownloadSuccess));
}

TEST_F(StationLoopTest, NoBoardAtStartIsRetriedOnceASecond) {
    runPasses(3, [&](int pass) {
        if (pass == 1) session.emulator.addBoardWithoutChip();
    });
    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbFail, msgReopenUsb, msgOpenUsbFail, msgReopenUsb, msgOpenUsbSuccess,
                                       msgWaitingConnect}));
}

TEST_F(StationLoopTest, PresetsAreWrittenBeforeTheProbeAndFollowedBy8010) {
    const int device = session.emulator.addBoard(0x6D10);
    job.presets = {"4c 11223344", "0x50 0a0b"};
    runPasses(1);

    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbSuccess, msgHandshakeSuccess}) +
                                    workerLines(msgDownloadSuccess, "[T]\t\treverse:11223344\n\n[T]\t\treverse:0a0b\n\n"));
    const std::string trace = session.emulator.trace();
    const std::string presets = requestOf({0x16, 0x04, 0x4C, 0x00, 0x44, 0x33, 0x22, 0x11}) +
                                requestOf({0x16, 0x04, 0x50, 0x00, 0x0B, 0x0A, 0x00, 0x00}) +
                                requestOf({0x16, 0x01, 0x10, 0x80, 0x01}) + requestOf({0x1C, 0x00, 0x80});
    EXPECT_NE(trace.find(presets), std::string::npos) << trace.substr(0, 600);
    EXPECT_EQ(session.emulator.withChip(device, [](emulator::ChipModel& chip) { return chip.peek(0x4C, 4); }),
              (Bytes{0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ(codeLoadOf(device), image);
}

TEST_F(StationLoopTest, RefusedPresetWritesNothingToTheChipAndTheStationGoesOn) {
    const int device = session.emulator.addBoard(0x6D10);
    job.presets = {"4c 11223344", "4c"};
    runPasses(2);

    const std::string refused = "[T]\t\tpreset \"4c\" refused: expected an address and a value separated by a space\n\n";
    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbSuccess, msgHandshakeSuccess}) +
                                    workerLines(msgDownloadFail, refused) + lines({msgHandshakeSuccess, msgReplaceDevice}));
    const std::string trace = session.emulator.trace();
    EXPECT_EQ(countOf(trace, "> f2 16"), 0u) << trace;
    EXPECT_TRUE(codeLoadOf(device).empty());
}

TEST_F(StationLoopTest, WorkerThatCannotStartEndsTheLoop) {
    session.emulator.addBoard(0x6D10);
    host.workerStart = DownloadTestHost::WorkerStart::Fail;
    runPasses(100);
    EXPECT_EQ(log.maskedText(), lines({msgOpenUsbSuccess, msgHandshakeSuccess, msgDownloadThreadFail}));
    EXPECT_EQ(host.paneText(), host.messages()[msgDownloadThreadFail] + "\r\n");
    EXPECT_EQ(host.startRequests, 1);
}

// A log stream that fails once, on the first line that holds the given text.
class FailingLog final : public LogOutput {
public:
    explicit FailingLog(std::string trigger) : trigger_(std::move(trigger)) { setLogOutput(this); }
    ~FailingLog() override { setLogOutput(nullptr); }
    void write(std::string_view text) override {
        if (!failed_ && text.find(trigger_) != std::string_view::npos) {
            failed_ = true;
            throw std::runtime_error("log stream failed");
        }
        written += text;
    }
    std::string written;

private:
    std::string trigger_;
    bool failed_ = false;
};

TEST(StationWorker, FailureInsideTheWorkerStillReleasesTheLoop) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x6D10);
    TempCodeFile file(bytePerLineText(countingBytes(10)), "station.rom");
    DownloadTestHost host;
    const StationJob job{file.path(), {}};
    host.busy = true;
    FailingLog log(host.messages()[msgDownloading]);
    int pass = 0;
    commandDownload(host, job, [&] { return pass++ == 2; });  // would wait for ever if the worker never signalled

    EXPECT_FALSE(host.busy);
    const std::string text = runner::maskTimestamps(log.written);
    EXPECT_NE(text.find("[stationDownloadThread]\t" + host.messages()[msgUnhandledException]), std::string::npos) << text;
    EXPECT_NE(text.find(host.messages()[msgReplaceDevice]), std::string::npos) << text;
    EXPECT_EQ(host.paneText(), "");
}

}  // namespace
}  // namespace tessorin::download
