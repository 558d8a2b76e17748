#include "download/rom_download.h"

#include <gtest/gtest.h>

#include "device/hid_link.h"
#include "emulator/emulator_session.h"
#include "runner/log_capture.h"
#include "temp_code_file.h"
#include "wire_lines.h"

namespace tessorin::download {
namespace {

using namespace tessorin::testing;

constexpr uint16_t kChip = 0x6D10;

std::vector<uint8_t> codeLoadOf(emulator::BoardEmulator& board, int device) {
    return board.withChip(device, [](emulator::ChipModel& chip) { return chip.codeLoad(); });
}

TEST(RomDownload, HundredByteImageGoesThroughTheCodeLoadPortInTwoReports) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(kChip);
    session.emulator.setTraceEnabled(true);
    const Bytes image = countingBytes(100);
    TempCodeFile file(bytePerLineText(image));
    setHidLink(openDownloadBoard());
    session.emulator.clearTrace();

    ASSERT_TRUE(downloadRomImage(file.path()));

    const std::string expected =
        requestOf({0x18, 0x00, 0x80}) + replyOf({0x02}) +                      // handshake
        requestOf({0x15, 0x01, 0x03, 0x82}) + replyOf({0x00}) +                // hold: read 0x8203
        requestOf({0x16, 0x01, 0x03, 0x82, 0x01}) +                            // ... and write it back
        requestOf({0x16, 0x01, 0x22, 0x80, 0x00}) +
        requestOf({0x16, 0x01, 0x23, 0x80, 0x80}) +
        requestOf({0x16, 0x01, 0x24, 0x80, 0x00}) +
        requestOf(Bytes{0x17, 58, 0x25, 0x80} + slice(image, 0, 58)) +         // fixed address, first report
        requestOf(Bytes{0x13, 42} + slice(image, 58, 42)) +                    // continuation
        requestOf({0x16, 0x02, 0x23, 0x80, 0x00, 0x00}) +
        requestOf({0x15, 0x01, 0x03, 0x82}) + replyOf({0x01}) +                // mask 3
        requestOf({0x16, 0x01, 0x03, 0x82, 0x03}) +
        requestOf({0x16, 0x01, 0x03, 0x80, 0x01}) +                            // 0x8003
        requestOf({0x18, 0x00, 0x80}) + replyOf({0x02});                       // the chip still answers
    EXPECT_EQ(meaningfulTrace(session.emulator.trace()), expected);
    EXPECT_EQ(codeLoadOf(session.emulator, device), image);
}

TEST(RomDownload, MissingOrEmptyFileIsReportedAndNothingIsSent) {
    const char* contents[] = {"", nullptr};  // an empty file, no file
    for (const char* content : contents) {
        emulator::EmulatorSession session;
        session.emulator.addBoard(kChip);
        runner::LogCapture log;
        std::unique_ptr<TempCodeFile> file;
        std::string path = "/nonexistent/missing.rom";
        if (content) {
            file = std::make_unique<TempCodeFile>(content);
            path = file->path();
        }
        setHidLink(openDownloadBoard());
        EXPECT_EQ(downloadRomImage(path).failure, DownloadFailure::NoImage);
        EXPECT_EQ(log.text(), "error opening code file " + path + "\n");
        EXPECT_EQ(countOf(session.emulator.trace(), "> f2 17"), 0u);
        EXPECT_EQ(countOf(session.emulator.trace(), "> f2 16"), 0u);
    }
}

TEST(RomDownload, FileLargerThanTheImageBufferIsRefusedWhole) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(kChip);
    runner::LogCapture log;
    TempCodeFile file(bytePerLineText(Bytes(ROM_IMAGE_CAPACITY + 1, 0x5A)));
    setHidLink(openDownloadBoard());
    EXPECT_EQ(downloadRomImage(file.path()).failure, DownloadFailure::ImageRefused);
    EXPECT_EQ(log.maskedText(), "[T]\t\tcode file " + file.path() + " is larger than 150000 bytes\n\n");
    EXPECT_EQ(countOf(session.emulator.trace(), "> f2 16"), 0u);
    EXPECT_TRUE(codeLoadOf(session.emulator, device).empty());
}

// What one ROM download of a file holding these bytes did, on a board of its own.
struct RomDownloadRun {
    bool succeeded;
    std::string log;
    std::string trace;
    Bytes codeLoad;
};

RomDownloadRun downloadRomFile(const std::string& content, const std::string& name = "image.rom") {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(kChip);
    runner::LogCapture log;
    TempCodeFile file(content, name);
    setHidLink(openDownloadBoard());
    session.emulator.clearTrace();
    const bool succeeded = static_cast<bool>(downloadRomImage(file.path()));
    return {succeeded, log.maskedText(), meaningfulTrace(session.emulator.trace()), codeLoadOf(session.emulator, device)};
}

TEST(RomDownload, FileWithUtf8ByteOrderMarkSendsWhatThePlainFileSends) {
    const struct {
        const char* layout;
        std::string text;
        Bytes image;
    } cases[] = {
        {"byte per line", bytePerLineText(countingBytes(100)), countingBytes(100)},
        // The mark in front of the first number must not turn it into zeros.
        {"word per line", "12345678\r\nABCD\r\n", {0x12, 0x34, 0x56, 0x78, 0x00, 0x00, 0xAB, 0xCD}},
    };
    for (const auto& c : cases) {
        const RomDownloadRun plain = downloadRomFile(c.text);
        const RomDownloadRun marked = downloadRomFile("\xEF\xBB\xBF" + c.text);
        EXPECT_TRUE(marked.succeeded) << c.layout;
        EXPECT_EQ(marked.codeLoad, c.image) << c.layout;
        EXPECT_EQ(marked.trace, plain.trace) << c.layout;
        EXPECT_EQ(marked.log, plain.log) << c.layout;
    }
}

TEST(RomDownload, Utf16FileIsRefusedWithNothingSent) {
    const RomDownloadRun missing = downloadRomFile("", "empty.rom");
    const std::string files[] = {
        std::string("\xFF\xFE" "1\0" "2\0\r\0\n\0", 10),  // UTF-16LE "12\r\n"
        std::string("\xFE\xFF\0" "1\0" "2\0\r\0\n", 10),  // UTF-16BE "12\r\n"
    };
    for (const std::string& content : files) {
        const RomDownloadRun run = downloadRomFile(content, "utf16.rom");
        EXPECT_FALSE(run.succeeded);
        EXPECT_NE(run.log.find("utf16.rom is UTF-16 text; save it as ASCII or UTF-8 and download again\n"),
                  std::string::npos)
            << run.log;
        EXPECT_EQ(run.trace, missing.trace);  // the opening handshake only, as for a file without lines
        EXPECT_EQ(countOf(run.trace, "> f2 16"), 0u);
        EXPECT_EQ(countOf(run.trace, "> f2 17"), 0u);
        EXPECT_TRUE(run.codeLoad.empty());
    }
}

// The board vanishes right after the given request of a 100-byte download; every
// write from then on fails to go out, and the download must say it failed, and why.
TEST(RomDownload, AWriteThatDoesNotGoOutFailsTheDownload) {
    struct Case {
        const char* step;
        int unplugAfterRequest;  // 1 handshake, 2-3 hold, 4-6 port set-up, 7-8 image, 9 clear, 10-11 mask 3, 12 0x8003,
                                 // 13 the closing handshake
        DownloadFailure failure;
    };
    const Case cases[] = {
        {"hold", 2, DownloadFailure::BoardLost},
        {"port set-up", 4, DownloadFailure::BoardLost},
        {"image", 7, DownloadFailure::BoardLost},
        {"mask 3", 10, DownloadFailure::BoardLost},
        {"0x8003", 11, DownloadFailure::BoardLost},
        {"after the last write, before the chip is asked", 12, DownloadFailure::BoardLost},
    };
    TempCodeFile file(bytePerLineText(countingBytes(100)));
    for (const Case& c : cases) {
        emulator::EmulatorSession session;
        const int device = session.emulator.addBoard(kChip);
        setHidLink(openDownloadBoard());
        session.emulator.unplugAfterRequests(device, c.unplugAfterRequest);
        EXPECT_EQ(downloadRomImage(file.path()).failure, c.failure) << c.step;
    }
}

}  // namespace
}  // namespace tessorin::download
