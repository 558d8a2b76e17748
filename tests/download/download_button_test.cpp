#include "download/download_button.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "device/hid_link.h"
#include "download_test_host.h"
#include "emulator/emulator_session.h"
#include "runner/log_capture.h"
#include "temp_code_file.h"
#include "wire_lines.h"

namespace tessorin::download {
namespace {

using namespace tessorin::testing;

const std::string kBannerPane = "----------------------------------------------------\n\r\n";

std::string paneLine(const std::string& text) { return text + "\r\n"; }

class DownloadButtonTest : public ::testing::Test {
protected:
    DownloadButtonTest() { device = session.emulator.addBoard(0x6D10); }

    Bytes codeLoad() {
        return session.emulator.withChip(device, [](emulator::ChipModel& chip) { return chip.codeLoad(); });
    }
    Bytes eeprom(int count) {
        return session.emulator.withChip(device, [count](emulator::ChipModel& chip) { return chip.eeprom().bytes(0, count); });
    }
    std::string message(MessageId id) const { return host.messages()[id]; }

    emulator::EmulatorSession session;
    int device = 0;
    runner::LogCapture log;
    DownloadTestHost host;
    const Bytes image = countingBytes(100, 0x20);
};

TEST_F(DownloadButtonTest, UpperCaseRomRunsTheRomWorkerAndClosesTheLink) {
    TempCodeFile file(bytePerLineText(image), "FIRMWARE.ROM");
    host.romPathValue = file.path();
    host.workerStart = DownloadTestHost::WorkerStart::Hold;

    onDownloadButton(host);
    EXPECT_EQ(host.scratch, "#############[CBrevoxDownloadToolDlg::OnBnClickedButtonDownload]#############\n");
    EXPECT_EQ(host.heldWorkers(), 1u);
    EXPECT_TRUE(host.busy);
    host.runHeldWorkers();

    EXPECT_FALSE(host.busy);
    EXPECT_FALSE(hidLinkOpen());
    EXPECT_EQ(codeLoad(), image);
    EXPECT_EQ(host.paneText(), kBannerPane + paneLine(message(msgDownloading)) + paneLine(message(msgDownloadSuccess)) +
                                   paneLine(message(msgDownloadFinish)) + paneLine("set [download rom file\n] success!\n"));
    const std::string text = log.maskedText();
    const size_t eku = text.find("eku after\nCPU Running, PC 0\nCPU Running, PC 0\n");
    const size_t ehu = text.find("e hu after\nCPU Stopped, PC 0\nCPU Stopped, PC 0\n");
    ASSERT_NE(eku, std::string::npos) << text;
    ASSERT_NE(ehu, std::string::npos) << text;
    EXPECT_LT(eku, ehu);
    EXPECT_NE(text.find("[T]\t\t" + message(msgUsbCloseOk), ehu), std::string::npos);
    EXPECT_NE(session.emulator.trace().find(requestOf({0x16, 0x01, 0x10, 0x80, 0x01})), std::string::npos);  // 0x8010
}

TEST_F(DownloadButtonTest, DatEndingRunsTheDatWorker) {
    TempCodeFile file(bytePerLineText(image), "settings.dat");
    host.romPathValue = file.path();

    onDownloadButton(host);

    EXPECT_FALSE(host.busy);
    EXPECT_EQ(eeprom(100), image);
    EXPECT_TRUE(codeLoad().empty());
    EXPECT_EQ(host.paneText(), kBannerPane + paneLine(message(msgDownloading)) + paneLine(message(msgEepSuccess)) +
                                   paneLine(message(msgDownloadFinish)) + paneLine("set [download dat file\n] success!\n"));
}

TEST_F(DownloadButtonTest, WorkerDownloadsTheFileChosenWhenItStarted) {
    TempCodeFile first(bytePerLineText(image), "first.rom");
    TempCodeFile second(bytePerLineText(countingBytes(10, 0x90)), "second.rom");
    host.romPathValue = first.path();
    host.workerStart = DownloadTestHost::WorkerStart::Hold;
    onDownloadButton(host);
    host.romPathValue = second.path();  // the operator chooses another file meanwhile
    host.runHeldWorkers();
    EXPECT_EQ(codeLoad(), image);
}

TEST_F(DownloadButtonTest, OtherEndingOpensTheBoardThenRefusesTheFormat) {
    TempCodeFile file(bytePerLineText(image), "image.bin");
    host.romPathValue = file.path();

    onDownloadButton(host);

    EXPECT_EQ(host.startRequests, 0);
    EXPECT_FALSE(host.busy);
    EXPECT_TRUE(hidLinkOpen());  // stays open until the next command reopens it
    EXPECT_EQ(session.emulator.trace(), requestOf({0x18, 0x00, 0x80}) + replyOf({0x02}));
    EXPECT_EQ(host.paneText(), kBannerPane + paneLine(message(msgFileFormatError)));
    EXPECT_NE(log.maskedText().find("[T]\t\t" + message(msgOpenUsbSuccess) + "\n[T]\t\t" + message(msgFileFormatError)),
              std::string::npos)
        << log.maskedText();
}

TEST_F(DownloadButtonTest, RefusalsBeforeTheBoardIsTouched) {
    TempCodeFile file(bytePerLineText(image), "image.rom");
    struct Case {
        const char* name;
        std::string romPath;
        bool busy;
        MessageId refusal;
    };
    const Case cases[] = {
        {"no image", "", false, msgSelectRomFirst},
        {"download running", file.path(), true, msgBusyDownloading},
    };
    for (const Case& c : cases) {
        DownloadTestHost fresh;
        fresh.romPathValue = c.romPath;
        fresh.busy = c.busy;
        session.emulator.clearTrace();
        onDownloadButton(fresh);
        EXPECT_EQ(session.emulator.trace(), "") << c.name;
        EXPECT_EQ(fresh.startRequests, 0) << c.name;
        EXPECT_EQ(fresh.busy.load(), c.busy) << c.name;
        EXPECT_EQ(fresh.paneText(), kBannerPane + paneLine(message(c.refusal))) << c.name;
    }
}

TEST_F(DownloadButtonTest, SecondQuickPressIsRefusedWithoutBoardTraffic) {
    TempCodeFile file(bytePerLineText(image), "image.rom");
    host.romPathValue = file.path();
    host.workerStart = DownloadTestHost::WorkerStart::Hold;
    onDownloadButton(host);
    const std::string traceAfterFirst = session.emulator.trace();
    onDownloadButton(host);
    EXPECT_EQ(session.emulator.trace(), traceAfterFirst);
    EXPECT_EQ(host.heldWorkers(), 1u);
    EXPECT_EQ(host.paneText(), kBannerPane + kBannerPane + paneLine(message(msgBusyDownloading)));
    host.runHeldWorkers();
    EXPECT_EQ(codeLoad(), image);
}

TEST_F(DownloadButtonTest, ThreadThatCannotStartClearsBusy) {
    TempCodeFile file(bytePerLineText(image), "image.rom");
    host.romPathValue = file.path();
    host.workerStart = DownloadTestHost::WorkerStart::Fail;
    onDownloadButton(host);
    EXPECT_EQ(host.startRequests, 1);
    EXPECT_FALSE(host.busy);
    EXPECT_EQ(host.paneText(), kBannerPane + paneLine(message(msgDownloadThreadFail)));
    EXPECT_TRUE(codeLoad().empty());
}

TEST_F(DownloadButtonTest, EepromThatNeverShowsDoneReportsEepFail) {
    session.emulator.withChip(device, [](emulator::ChipModel& chip) { chip.setEepromNeverDone(true); });
    TempCodeFile file(bytePerLineText(countingBytes(70)), "image.dat");
    host.romPathValue = file.path();
    onDownloadButton(host);
    EXPECT_NE(host.paneText().find(paneLine(message(msgEepFail))), std::string::npos);
    EXPECT_EQ(host.paneText().find(message(msgEepSuccess)), std::string::npos);
    EXPECT_EQ(session.emulator.withChip(device, [](emulator::ChipModel& chip) { return chip.eepromStarts(); }), 1);
    EXPECT_FALSE(host.busy);
}

TEST_F(DownloadButtonTest, ProbeThatNeverSeesReadinessStillLeadsToTheDownload) {
    session.emulator.setReadyReply(device, 0);
    session.emulator.setReportLatencyMicros(60'000);  // one readiness pass per probe
    TempCodeFile file(bytePerLineText(image), "image.rom");
    host.romPathValue = file.path();
    onDownloadButton(host);
    EXPECT_EQ(countOf(session.emulator.trace(), "> f2 1c 00 80\n"), 30u);
    EXPECT_EQ(codeLoad(), image);
    EXPECT_NE(host.paneText().find(paneLine(message(msgDownloadSuccess))), std::string::npos);
}

// A pane that fails once, as the window might when it is going away.
class FailingPane final : public LogPane {
public:
    void appendLogPane(std::string_view text) override {
        if (!failed_) {
            failed_ = true;
            throw std::runtime_error("pane gone");
        }
        seen += text;
    }
    std::string seen;

private:
    bool failed_ = false;
};

TEST_F(DownloadButtonTest, FailureInsideTheWorkerStaysInsideIt) {
    TempCodeFile file(bytePerLineText(image), "image.rom");
    host.romPathValue = file.path();
    host.workerStart = DownloadTestHost::WorkerStart::Hold;
    onDownloadButton(host);
    FailingPane pane;
    host.usePane(pane);
    host.runHeldWorkers();  // a failure escaping the thread would end the process

    EXPECT_FALSE(host.busy);
    EXPECT_FALSE(hidLinkOpen());
    const std::string report = "[romDownloadThread]\t" + message(msgUnhandledException);
    EXPECT_NE(log.text().find(report), std::string::npos) << log.text();
    EXPECT_NE(pane.seen.find("set [download rom file\n] success!\n"), std::string::npos);
}

TEST(HasExtension, EndingWithoutRegardToCaseAndWithoutDot) {
    struct Case {
        const char* path;
        const char* extension;
        bool has;
    };
    const Case cases[] = {
        {"a.rom", "rom", true}, {"A.ROM", "rom", true}, {"firmwarerom", "rom", true}, {"x.Dat", "dat", true},
        {"a.rom.bak", "rom", false}, {"om", "rom", false}, {"", "rom", false}, {"a.romx", "rom", false},
    };
    for (const Case& c : cases) EXPECT_EQ(hasExtension(c.path, c.extension), c.has) << c.path;
}

}  // namespace
}  // namespace tessorin::download
