#include "download/dat_download.h"

#include <gtest/gtest.h>

#include "device/chip_families.h"
#include "device/hid_link.h"
#include "emulator/emulator_session.h"
#include "runner/log_capture.h"
#include "temp_code_file.h"
#include "wire_lines.h"

namespace tessorin::download {
namespace {

using namespace tessorin::testing;

Bytes eepromOf(emulator::BoardEmulator& board, int device, int count) {
    return board.withChip(device, [count](emulator::ChipModel& chip) { return chip.eeprom().bytes(0, count); });
}

int eepromStartsOf(emulator::BoardEmulator& board, int device) {
    return board.withChip(device, [](emulator::ChipModel& chip) { return chip.eepromStarts(); });
}

// One page on a chip of the 0x6D10 family: every register below 0x10000.
std::string page6D10(uint16_t address, const Bytes& data) {
    const uint8_t recordLength = static_cast<uint8_t>(data.size() + 3);
    return requestOf({0x16, 0x01, 0x90, 0x80, 0x00}) +                       // mode 0x00
           requestOf({0x16, 0x02, 0x9E, 0x80, 0x00, 0x00}) +                 // offset 0
           requestOf({0x16, 0x02, 0x98, 0x80, recordLength, 0x00}) +         // record length
           requestOf(Bytes{0x16, recordLength, 0xFC, 0x1E, 0xA0, static_cast<uint8_t>(address >> 8),
                           static_cast<uint8_t>(address)} + data) +
           requestOf({0x16, 0x01, 0x32, 0x81, 0x04}) +                       // start
           requestOf({0x15, 0x01, 0x2C, 0x81}) + replyOf({0x01});            // done: bit 0
}

TEST(DatDownload, SeventyByteImageIsThreePagesOnChip6D10) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(0x6D10);
    const Bytes image = countingBytes(70, 0x41);
    TempCodeFile file(bytePerLineText(image), "image.dat");
    setHidLink(openDownloadBoard());

    ASSERT_TRUE(downloadDatImage(file.path()));

    const std::string expected = requestOf({0x14, 0x02, 0x00, 0x80}) + replyOf({0x10, 0x6D}) +  // chip id, once
                                 page6D10(0x0000, slice(image, 0, 32)) + page6D10(0x0020, slice(image, 32, 32)) +
                                 page6D10(0x0040, slice(image, 64, 6));
    EXPECT_EQ(session.emulator.trace(), expected);
    EXPECT_EQ(eepromOf(session.emulator, device, 70), image);
}

TEST(DatDownload, Chip5B21UsesItsOwnEngineRegisters) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(0x5B21);
    const Bytes image = countingBytes(5, 0x90);
    TempCodeFile file(bytePerLineText(image), "image.dat");
    setHidLink(openDownloadBoard());

    ASSERT_TRUE(downloadDatImage(file.path()));

    const std::string expected =
        requestOf({0x14, 0x02, 0x00, 0x80}) + replyOf({0x21, 0x5B}) +
        requestOf({0x25, 0x01, 0x23, 0x8D, 0x0F, 0x00}) +                    // mode 0xF8D23: 0x00
        requestOf({0x25, 0x02, 0x08, 0x8D, 0x0F, 0x00, 0x00}) +              // offset 0xF8D08
        requestOf({0x25, 0x02, 0x0A, 0x8D, 0x0F, 0x08, 0x00}) +              // length 0xF8D0A: 8
        requestOf(Bytes{0x25, 0x08, 0xFC, 0x1E, 0x02, 0xA0, 0x00, 0x00} + image) +  // staged at 0x21EFC
        requestOf({0x25, 0x01, 0x0F, 0x8D, 0x0F, 0x80}) +                    // start 0xF8D0F: 0x80
        requestOf({0x15, 0x01, 0x2C, 0x81}) + replyOf({0x01});
    EXPECT_EQ(session.emulator.trace(), expected);
    EXPECT_EQ(eepromOf(session.emulator, device, 5), image);
}

TEST(DatDownload, EveryChipFamilyWritesTheImageIntoItsEeprom) {
    // 0x3C05: a known chip with start register 0x800A; 0x1234: an unknown one with 0x8006.
    for (uint16_t chipId : {0x6D11, 0x5B22, 0x3C05, 0x3C06, 0x1234}) {
        emulator::EmulatorSession session;
        const int device = session.emulator.addBoard(chipId);
        session.emulator.withChip(device, [](emulator::ChipModel& chip) { chip.setEepromBusyReads(3); });
        const Bytes image = countingBytes(100, 7);
        TempCodeFile file(bytePerLineText(image), "image.dat");
        setHidLink(openDownloadBoard());
        ASSERT_TRUE(downloadDatImage(file.path())) << std::hex << chipId;
        EXPECT_EQ(eepromOf(session.emulator, device, 100), image) << std::hex << chipId;
        EXPECT_EQ(eepromStartsOf(session.emulator, device), 4) << std::hex << chipId;
    }
}

TEST(DatDownload, PageWithoutDoneBitFailsAfterTheFirstPage) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(0x6D10);
    session.emulator.withChip(device, [](emulator::ChipModel& chip) { chip.setEepromNeverDone(true); });
    TempCodeFile file(bytePerLineText(countingBytes(70)), "image.dat");
    setHidLink(openDownloadBoard());
    const uint64_t before = session.clock.nowMicros();

    EXPECT_FALSE(downloadDatImage(file.path()));
    EXPECT_EQ(eepromStartsOf(session.emulator, device), 1);
    EXPECT_GT(session.clock.nowMicros() - before, 2'000'000u);  // gave up only after the poll's 2000 ms
}

TEST(DatDownload, ImageBeyondTheEepromAddressSpaceIsRefusedBeforeTheFirstPage) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(0x6D10);
    session.emulator.setTraceEnabled(false);
    runner::LogCapture log;
    TempCodeFile file(bytePerLineText(Bytes(kEepromAddressSpace + 1, 0x11)), "image.dat");
    setHidLink(openDownloadBoard());

    EXPECT_FALSE(downloadDatImage(file.path()));
    EXPECT_EQ(log.maskedText(), "[T]\t\tdat image of 65537 bytes is larger than the 65536 bytes the EEPROM can address\n\n");
    EXPECT_EQ(eepromStartsOf(session.emulator, device), 0);
}

TEST(DatDownload, ByteOrderMarksOfTheFile) {
    const Bytes image = countingBytes(40, 0x21);
    const struct {
        const char* name;
        std::string content;
        bool written;
    } cases[] = {
        {"plain", bytePerLineText(image), true},
        {"UTF-8 mark", "\xEF\xBB\xBF" + bytePerLineText(image), true},
        {"UTF-16LE mark", std::string("\xFF\xFE" "4\0" "1\0\n\0", 8), false},
    };
    std::string plainTrace;
    for (const auto& c : cases) {
        emulator::EmulatorSession session;
        const int device = session.emulator.addBoard(0x6D10);
        runner::LogCapture log;
        TempCodeFile file(c.content, "image.dat");
        setHidLink(openDownloadBoard());

        EXPECT_EQ(downloadDatImage(file.path()).failure, c.written ? DownloadFailure::None : DownloadFailure::ImageRefused)
            << c.name;
        if (plainTrace.empty()) plainTrace = session.emulator.trace();
        if (c.written) {
            EXPECT_EQ(session.emulator.trace(), plainTrace) << c.name;
            EXPECT_EQ(eepromOf(session.emulator, device, 40), image) << c.name;
        } else {
            EXPECT_EQ(log.maskedText(), "[T]\t\tcode file " + file.path() +
                                            " is UTF-16 text; save it as ASCII or UTF-8 and download again\n\n");
            EXPECT_EQ(session.emulator.trace(), "") << c.name;
            EXPECT_EQ(eepromStartsOf(session.emulator, device), 0) << c.name;
        }
    }
}

TEST(DatDownload, FullEepromImageIsWrittenWithoutWrapping) {
    emulator::EmulatorSession session;
    const int device = session.emulator.addBoard(0x6D10);
    session.emulator.setTraceEnabled(false);
    Bytes image(kEepromAddressSpace);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    TempCodeFile file(bytePerLineText(image), "image.dat");
    setHidLink(openDownloadBoard());

    ASSERT_TRUE(downloadDatImage(file.path()));
    EXPECT_EQ(eepromOf(session.emulator, device, static_cast<int>(image.size())), image);
    EXPECT_EQ(eepromStartsOf(session.emulator, device), 2048);
}

// One chip of each family column, the chips of no known family included.
std::vector<uint16_t> oneChipPerFamily() {
    std::vector<uint16_t> chips;
    for (const ChipFamily& family : chipFamilies())
        chips.push_back(family.chipIds.empty() ? 0x1234 : static_cast<uint16_t>(family.chipIds.front()));
    return chips;
}

TEST(DatDownload, LostIdentificationRepliesNeverChooseAFamily) {
    const std::string idRequest = requestOf({0x14, 0x02, 0x00, 0x80});
    const Bytes image = countingBytes(40, 0x33);
    for (uint16_t chipId : oneChipPerFamily()) {
        std::string cleanTrace;
        for (int lostReplies : {0, 1, 2}) {
            emulator::EmulatorSession session;
            const int device = session.emulator.addBoard(chipId);
            runner::LogCapture log;
            TempCodeFile file(bytePerLineText(image), "image.dat");
            setHidLink(openDownloadBoard());
            session.emulator.dropReplies(lostReplies);
            const auto label = ::testing::Message() << std::hex << chipId << ", lost " << lostReplies;

            const DownloadOutcome outcome = downloadDatImage(file.path());
            if (lostReplies == 0) cleanTrace = session.emulator.trace();
            if (lostReplies == 1) {
                ASSERT_TRUE(outcome) << label;
                EXPECT_EQ(session.emulator.trace(), idRequest + cleanTrace) << label;
                EXPECT_EQ(eepromOf(session.emulator, device, 40), image) << label;
            }
            if (lostReplies == 2) {
                EXPECT_EQ(outcome.failure, DownloadFailure::ChipStoppedAnswering) << label;
                EXPECT_EQ(session.emulator.trace(), idRequest + idRequest) << label;
                EXPECT_EQ(log.maskedText(),
                          "[T]\t\tthe chip's identification word did not arrive; no EEPROM register was written\n\n")
                    << label;
                EXPECT_EQ(eepromStartsOf(session.emulator, device), 0) << label;
            }
        }
    }
}

}  // namespace
}  // namespace tessorin::download
