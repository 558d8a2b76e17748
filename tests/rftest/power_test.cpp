// Power SELECT: the chosen level's value text written as words to the power register.
#include <gtest/gtest.h>

#include "rftest/rf_buttons.h"
#include "tests/rftest/rf_test_host.h"

namespace tessorin::testing {
namespace {

const char* const kPowerHandler = "CBrevoxDownloadToolDlg::OnBnClickedButtonPower";

std::string powerChip(const std::string& values, const std::string& addr = "4c") {
    return "[chip_impl]\nchip_type=demo\nchip_power_addr=" + addr + "\nchip_power_value=" + values + "\n";
}

struct PowerPress {
    PowerPress(const std::string& chip, int level) {
        host.loadIni(rfSection() + chip);
        host.select(kPowerComboId, level);
        pressPowerSelect(host, kPowerComboId);
    }
    RfTestHost host;
};

TEST(Power, LevelPicksItsValueTextWrittenAsWords) {
    PowerPress power(powerChip("10|11|0c|13"), 2);

    RfTestHost& host = power.host;
    EXPECT_EQ(host.logText(), bannerLine(kPowerHandler) + logLine("USB opened successfully.\n") +
                                  logLine("cmd0:[e 4c 0c]\n") + logLine("reverse:0c\n") +
                                  logLine("usb close success\n"));
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("set [power] success!\n"));
    EXPECT_EQ(host.trace(), "> f2 18 00 80\n< 02\n> f2 16 04 4c 00 0c\n");
    EXPECT_EQ(host.chipBytes(0x4c, 4), (std::vector<uint8_t>{0x0c, 0x00, 0x00, 0x00}));
    EXPECT_EQ(host.session.emulator.openHandles(), 0);
}

TEST(Power, ValueTextsAreDigitPairsInMemoryOrder) {
    struct Case {
        const char* value;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"0c", {0x0c, 0x00, 0x00, 0x00, 0x00}},
        // The odd last digit is dropped.
        {"123", {0x12, 0x00, 0x00, 0x00, 0x00}},
        // No prefix is expected: «0x12» reverses to «120x», read as 0x120.
        {"0x12", {0x20, 0x01, 0x00, 0x00, 0x00}},
        {"1122334455", {0x11, 0x22, 0x33, 0x44, 0x55}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        PowerPress power(powerChip(std::string("00|") + c.value), 1);
        EXPECT_EQ(power.host.chipBytes(0x4c, 5), c.bytes);
        EXPECT_NE(power.host.paneText().find("set [power] success!"), std::string::npos);
    }
}

TEST(Power, RefusalsComeAfterTheBannerAndSendNothing) {
    struct Case {
        const char* name;
        std::string chip;
        int level;
        bool busy;
        std::string message;
    };
    const Case cases[] = {
        {"nothing selected", powerChip("10|11"), -1, false, "please select power typeKeyStr\n"},
        // The selection is tested before the chip's power support.
        {"nothing selected, no power", powerChip("10", "0"), -1, false, "please select power typeKeyStr\n"},
        {"no power on this chip", powerChip("10", "0"), 0, false, "This chip typeKeyStr is unsupport!\n"},
        {"download running", powerChip("10|11"), 0, true, "downloading,please try again later\n"},
        // The combo lists eight levels, the chip only two values.
        {"level beyond the value row", powerChip("10|11"), 5, false,
         "INI error: chip_power_value has no value for power level 5 of register 0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RfTestHost host;
        host.loadIni(rfSection() + c.chip);
        host.select(kPowerComboId, c.level);
        host.busy = c.busy;
        pressPowerSelect(host, kPowerComboId);
        // The busy refusal goes to the pane only; the others through the guard to both.
        EXPECT_EQ(host.logText(), bannerLine(kPowerHandler) + (c.busy ? "" : logLine(c.message)));
        EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine(c.message));
        EXPECT_EQ(host.session.emulator.scans(), 0);
    }
}

TEST(Power, GroupWithoutHexDigitEndsInTheFailureReport) {
    PowerPress power(powerChip("00|11223344zz"), 1);

    const std::string unhandled = std::string("[") + kPowerHandler + "]\tThis is a exception without handling\n\n";
    EXPECT_EQ(power.host.paneText(), paneLine(kSeparator) + paneLine(unhandled));
    // The first word is already written and the link stays open.
    EXPECT_EQ(power.host.chipBytes(0x4c, 4), (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(power.host.session.emulator.openHandles(), 1);
}

TEST(Power, WordThatNeverLeftIsReportedAsFailure) {
    RfTestHost host;
    host.loadIni(rfSection() + powerChip("00|0c"));
    host.select(kPowerComboId, 1);
    host.session.emulator.timeOutNthWrite(2);

    pressPowerSelect(host, kPowerComboId);

    EXPECT_EQ(host.paneText(),
              paneLine(kSeparator) + paneLine("set [power] fail! the register write did not reach the download board\n"));
    EXPECT_EQ(host.logText().find("usb close success"), std::string::npos);
}

}  // namespace
}  // namespace tessorin::testing
