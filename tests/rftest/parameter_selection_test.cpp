// The seven SELECT rows against the emulated board.
#include <gtest/gtest.h>

#include <filesystem>

#include "rftest/rf_buttons.h"
#include "tests/rftest/rf_test_host.h"

namespace tessorin::testing {
namespace {

const char* const kFreqHandler = "CBrevoxDownloadToolDlg::OnBnClickedButtonSelectFreq";

std::string chipSection(const std::string& freqAddr) {
    return "[chip_impl]\nchip_type=demo\nchip_freq_addr=" + freqAddr +
           "\nchip_mod_rate_addr=0x4011\nchip_tx_rx_addr=0x4012\nchip_bt_ble_addr=0x4013\n"
           "chip_carrier_data_addr=0x4014\nchip_data_length_addr=0x4015\nchip_freq_fix_hop_addr=0x4016\n";
}

TEST(ParameterSelection, FrequencyPressLogsWritesReadsBackAndReportsSuccess) {
    RfTestHost host;
    host.loadIni(rfSection() + chipSection("0x4010"));
    host.select(kFrequencyComboId, 0);

    pressParameterSelect(host, 0, kFrequencyComboId);

    EXPECT_EQ(host.logText(), bannerLine(kFreqHandler) + logLine("USB opened successfully.\n") +
                                  logLine("cmd:[e 4010 3]\n") + logLine("usb close success\n"));
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("set [freq] success!\n"));
    EXPECT_EQ(host.trace(),
              "> f2 18 00 80\n< 02\n"
              "> f2 16 01 10 40 03\n"
              "> f2 14 01 10 40\n< 03\n");
    EXPECT_EQ(host.chipBytes(0x4010, 2), (std::vector<uint8_t>{0x03, 0x00}));
    EXPECT_EQ(host.session.emulator.openHandles(), 0);
}

struct AddressCase {
    const char* addressText;
    const char* freqValues;
    const char* commandLine;
    const char* writeRequest;
    uint32_t address;
    uint8_t byte;
};

class AddressAndValue : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressAndValue, ReachTheChipAsTheNumberRulesSay) {
    const AddressCase& c = GetParam();
    RfTestHost host;
    host.loadIni(rfSection(c.freqValues) + chipSection(c.addressText));
    host.select(kFrequencyComboId, 0);

    pressParameterSelect(host, 0, kFrequencyComboId);

    EXPECT_NE(host.logText().find(logLine(c.commandLine)), std::string::npos) << host.logText();
    EXPECT_NE(host.trace().find(c.writeRequest), std::string::npos) << host.trace();
    EXPECT_EQ(host.chipBytes(c.address, 1), std::vector<uint8_t>{c.byte});
    EXPECT_NE(host.paneText().find("set [freq] success!"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AddressAndValue,
    ::testing::Values(
        // All digits: decimal, even though it reads like a hexadecimal register.
        AddressCase{"4010", "3", "cmd:[e 0faa 3]\n", "> f2 16 01 aa 0f 03\n", 4010, 0x03},
        AddressCase{"0x4010", "3", "cmd:[e 4010 3]\n", "> f2 16 01 10 40 03\n", 0x4010, 0x03},
        AddressCase{"40a0", "3", "cmd:[e 40a0 3]\n", "> f2 16 01 a0 40 03\n", 0x40a0, 0x03},
        // Only the low byte of a wider value is written.
        AddressCase{"0x40", "0x1ff", "cmd:[e 0040 1ff]\n", "> f2 16 01 40 00 ff\n", 0x40, 0xff},
        // A key that is not a number (here missing) is address 0.
        AddressCase{"", "5", "cmd:[e 0000 5]\n", "> f2 16 01 00 00 05\n", 0, 0x05},
        AddressCase{"4000h", "5", "cmd:[e 0000 5]\n", "> f2 16 01 00 00 05\n", 0, 0x05},
        // Beyond 0xFFFF the write uses the code of its range.
        AddressCase{"0x12345", "7", "cmd:[e 12345 7]\n", "> f2 1e 01 45 23 07\n", 0x12345, 0x07}));

TEST(ParameterSelection, EachRowUsesItsComboValuesAddressLabelAndName) {
    for (const RfParameterRow& row : kRfParameterRows) {
        RfTestHost host;
        host.loadIni(rfSection("0x01|0x02") + chipSection("0x4010"));
        host.select(rfParameterComboId(row.index), 1);

        pressParameterSelect(host, row.index, rfParameterComboId(row.index));

        const uint32_t address = 0x4010 + static_cast<uint32_t>(row.index);
        const uint8_t value = static_cast<uint8_t>(row.index == 0 ? 0x02 : 0x10 * row.index + 0x02);
        SCOPED_TRACE(row.qualifiedName);
        EXPECT_EQ(host.chipBytes(address, 1), std::vector<uint8_t>{value});
        EXPECT_EQ(host.logText().rfind(bannerLine(row.qualifiedName), 0), 0u) << host.logText();
        EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine(std::string("set [") + row.label + "] success!\n"));
    }
}

TEST(ParameterSelection, ReadBackIsNotExamined) {
    RfTestHost host;
    // The code-load port swallows what is written (the CPU is not held), so the
    // read-back shows 0 and not the value sent.
    host.loadIni(rfSection("0x5a") + chipSection("0x8025"));
    host.select(kFrequencyComboId, 0);

    pressParameterSelect(host, 0, kFrequencyComboId);

    EXPECT_NE(host.trace().find("> f2 14 01 25 80\n< 00\n"), std::string::npos) << host.trace();
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("set [freq] success!\n"));
}

TEST(ParameterSelection, AddressIsReadFromTheFileAtEveryPress) {
    RfTestHost host;
    host.loadIni(rfSection() + chipSection("0x4010"));
    host.select(kFrequencyComboId, 0);
    pressParameterSelect(host, 0, kFrequencyComboId);

    host.writeIni(rfSection() + chipSection("0x4020"));
    pressParameterSelect(host, 0, kFrequencyComboId);

    EXPECT_NE(host.logText().find(logLine("cmd:[e 4010 3]\n")), std::string::npos);
    EXPECT_NE(host.logText().find(logLine("cmd:[e 4020 3]\n")), std::string::npos);
    EXPECT_EQ(host.chipBytes(0x4020, 1), std::vector<uint8_t>{0x03});
}

// An edit that keeps the file's size and modification time is still seen: no
// cache keyed by them stands between a press and the file.
TEST(ParameterSelection, AddressEditedWithSameSizeAndTimeIsReadAtTheNextPress) {
    RfTestHost host;
    host.loadIni(rfSection() + chipSection("0x4010"));
    host.select(kFrequencyComboId, 0);
    pressParameterSelect(host, 0, kFrequencyComboId);
    const std::filesystem::path path = pathFromUtf8(host.iniPath());
    const std::filesystem::file_time_type loadedAt = std::filesystem::last_write_time(path);
    const uintmax_t loadedSize = std::filesystem::file_size(path);

    host.writeIni(rfSection() + chipSection("0x4020"));
    std::filesystem::last_write_time(path, loadedAt);
    ASSERT_EQ(std::filesystem::file_size(path), loadedSize);
    pressParameterSelect(host, 0, kFrequencyComboId);

    EXPECT_NE(host.logText().find(logLine("cmd:[e 4020 3]\n")), std::string::npos) << host.logText();
    EXPECT_EQ(host.chipBytes(0x4020, 1), std::vector<uint8_t>{0x03});
}

TEST(ParameterSelection, RefusalsLeaveTheBoardUntouched) {
    struct Case {
        const char* name;
        const char* freqValues;
        int selection;
        bool busy;
        std::string log;
        std::string pane;
    };
    const std::string unhandled = std::string("[") + kFreqHandler + "]\tThis is a exception without handling\n\n";
    const Case cases[] = {
        {"nothing selected", "3|4", -1, false, logLine("please select power typeKeyStr\n"),
         paneLine("please select power typeKeyStr\n")},
        // Two values for the two texts of the row: the second text has none.
        {"text without a value", "3", 1, false, logLine(unhandled), paneLine(unhandled)},
        {"download running", "3|4", 0, true, bannerLine(kFreqHandler),
         paneLine(kSeparator) + paneLine("downloading,please try again later\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RfTestHost host;
        host.loadIni(rfSection(c.freqValues) + chipSection("0x4010"));
        host.select(kFrequencyComboId, c.selection);
        host.busy = c.busy;

        pressParameterSelect(host, 0, kFrequencyComboId);

        EXPECT_EQ(host.logText(), c.log);
        EXPECT_EQ(host.paneText(), c.pane);
        EXPECT_EQ(host.trace(), "");
        EXPECT_EQ(host.session.emulator.scans(), 0);
    }
}

TEST(ParameterSelection, BoardProblemsAreReportedThroughTheGuard) {
    {
        RfTestHost host;
        host.session.emulator.unplug(host.board);
        host.loadIni(rfSection() + chipSection("0x4010"));
        host.select(kFrequencyComboId, 0);
        pressParameterSelect(host, 0, kFrequencyComboId);
        EXPECT_EQ(host.logText(), bannerLine(kFreqHandler) + logLine("Failed to openUSB.\n"));
        EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("Failed to openUSB.\n"));
    }
    {
        RfTestHost host;
        host.session.emulator.detachChip(host.board);
        host.loadIni(rfSection() + chipSection("0x4010"));
        host.select(kFrequencyComboId, 0);
        pressParameterSelect(host, 0, kFrequencyComboId);
        EXPECT_EQ(host.logText(), bannerLine(kFreqHandler) + logLine("USB opened successfully.\n") +
                                      logLine("confirm that the download board is linked\n"));
        EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("confirm that the download board is linked\n"));
        EXPECT_EQ(host.trace().find("> f2 16"), std::string::npos);
        // A failed handshake leaves the link open until the next command.
        EXPECT_EQ(host.session.emulator.openHandles(), 1);
    }
}

TEST(ParameterSelection, WriteThatNeverLeftIsReportedAsFailure) {
    RfTestHost host;
    host.loadIni(rfSection() + chipSection("0x4010"));
    host.select(kFrequencyComboId, 0);
    // The handshake is the first write, the register write the second.
    host.session.emulator.timeOutNthWrite(2);

    pressParameterSelect(host, 0, kFrequencyComboId);

    const std::string report = "set [freq] fail! the register write did not reach the download board\n";
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine(report));
    EXPECT_EQ(host.logText(), bannerLine(kFreqHandler) + logLine("USB opened successfully.\n") +
                                  logLine("cmd:[e 4010 3]\n") + logLine(report));
    EXPECT_EQ(host.trace(), "> f2 18 00 80\n< 02\n");
}

TEST(ParameterSelection, OnlyTheSevenRowsAct) {
    RfTestHost host;
    host.loadIni(rfSection() + chipSection("0x4010"));
    pressParameterSelect(host, 7, kFrequencyComboId);
    pressParameterSelect(host, -1, kFrequencyComboId);
    EXPECT_EQ(host.paneText(), "");
    EXPECT_EQ(host.logText(), "");
}

}  // namespace
}  // namespace tessorin::testing
