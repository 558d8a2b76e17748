// The configured panel's buttons: one byte or words in text order.
#include <gtest/gtest.h>

#include "rftest/rf_buttons.h"
#include "tests/rftest/rf_test_host.h"

namespace tessorin::testing {
namespace {

const char* const kDynamicHandler = "CBrevoxDownloadToolDlg::OnClickDynamicButton";

// One control with a button caption, address and values as written, held as text when asked.
std::string oneControl(const std::string& values, bool valuesAreText, const std::string& addr = "0x70",
                       const std::string& button = "SET") {
    return "[ext]\next_count=1\next1_title=Channel\next1_button=" + button + "\next1_addr=" + addr +
           "\next1_combox=a|b\next1_value=" + values + "\next1_init_select_index=0\next1_parse_value_by_string=" +
           (valuesAreText ? "1" : "0") + "\n";
}

struct ButtonPress {
    ButtonPress(const std::string& ext, int selection) {
        host.loadIni(rfSection() + ext);
        host.select(kConfiguredComboBaseId, selection);
        pressConfiguredButton(host, 0);
    }
    RfTestHost host;
};

TEST(ConfiguredButton, OneByteValueUsesTheByteCommand) {
    ButtonPress button(oneControl("5|6", false), 0);

    RfTestHost& host = button.host;
    EXPECT_EQ(host.logText(), logLine("current choose:05\n") + bannerLine(kDynamicHandler) +
                                  logLine("USB opened successfully.\n") + logLine("cmd:[e 0070 5]\n") +
                                  logLine("usb close success\n"));
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("set [SET] success!\n"));
    EXPECT_EQ(host.trace(), "> f2 18 00 80\n< 02\n> f2 16 01 70 00 05\n> f2 14 01 70\n< 05\n");
}

TEST(ConfiguredButton, LongValueGoesOutAsWordsInTextOrder) {
    ButtonPress button(oneControl("0x1234", false), 0);

    RfTestHost& host = button.host;
    EXPECT_EQ(host.logText(), logLine("current choose:1234\n") + bannerLine(kDynamicHandler) +
                                  logLine("USB opened successfully.\n") + logLine("cmd:[e 0070 3412]\n") +
                                  logLine("reverse:3412\n") + logLine("usb close success\n"));
    EXPECT_EQ(host.trace(), "> f2 18 00 80\n< 02\n> f2 16 04 70 00 12 34\n");
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("set [SET] success!\n"));
}

TEST(ConfiguredButton, ValueTextsReachMemoryAsTheirDigitPairs) {
    struct Case {
        const char* values;
        bool valuesAreText;
        std::vector<uint8_t> bytes;
        std::string writes;
    };
    const Case cases[] = {
        {"0x12345", false, {0x01, 0x23, 0x45, 0x00, 0x00}, "> f2 16 04 70 00 01 23 45\n"},
        // Four characters: the word path, prefix removed.
        {"0x01", true, {0x01, 0x00, 0x00, 0x00, 0x00}, "> f2 16 04 70 00 01\n"},
        // Three characters: padded to «00x1», then «01» once "0x" is gone.
        {"0x1", true, {0x01, 0x00, 0x00, 0x00, 0x00}, "> f2 16 04 70 00 01\n"},
        {"0X0a0B", true, {0x0a, 0x0b, 0x00, 0x00, 0x00}, "> f2 16 04 70 00 0a 0b\n"},
        // A one-byte text is read in base 16.
        {"10", true, {0x10, 0x00, 0x00, 0x00, 0x00}, "> f2 16 01 70 00 10\n> f2 14 01 70\n< 10\n"},
        {"ff", false, {0xff, 0x00, 0x00, 0x00, 0x00}, "> f2 16 01 70 00 ff\n> f2 14 01 70\n< ff\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        ButtonPress button(oneControl(c.values, c.valuesAreText), 0);
        EXPECT_EQ(button.host.chipBytes(0x70, 5), c.bytes);
        EXPECT_EQ(button.host.trace(), "> f2 18 00 80\n< 02\n" + c.writes);
        EXPECT_EQ(button.host.paneText(), paneLine(kSeparator) + paneLine("set [SET] success!\n"));
    }
}

TEST(ConfiguredButton, FiveWordsTextShareOneLinkAndOneSuccessLine) {
    ButtonPress button(oneControl("1122334455", true), 0);
    RfTestHost& host = button.host;
    EXPECT_EQ(host.trace(), "> f2 18 00 80\n< 02\n> f2 16 04 70 00 11 22 33 44\n> f2 16 04 74 00 55\n");
    EXPECT_NE(host.logText().find(logLine("cmd:[e 0070 5544332211]\n") + logLine("reverse:44332211\n") +
                                  logLine("reverse:55\n")),
              std::string::npos)
        << host.logText();
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("set [SET] success!\n"));
}

TEST(ConfiguredButton, RefusalsSendNothing) {
    const std::string unhandled = std::string("[") + kDynamicHandler + "]\tThis is a exception without handling\n\n";
    struct Case {
        const char* name;
        std::string ext;
        int selection;
        bool busy;
        std::string log;
        std::string pane;
    };
    const Case cases[] = {
        {"nothing selected", oneControl("5|6", false), -1, false, "",
         paneLine("Please select from the dropdown menu before proceeding.\n")},
        // Two texts, one value: the second text has none.
        {"text without a value", oneControl("5", false), 1, false, logLine(unhandled), paneLine(unhandled)},
        {"one-byte text not hexadecimal", oneControl("zz|1", true), 0, false,
         logLine("current choose:zz\n") + logLine(unhandled), paneLine(unhandled)},
        {"address beyond 32 bits", oneControl("5|6", false, "4294967296"), 0, false, logLine(unhandled),
         paneLine(unhandled)},
        {"download running", oneControl("5|6", false), 0, true,
         logLine("current choose:05\n") + bannerLine(kDynamicHandler),
         paneLine(kSeparator) + paneLine("downloading,please try again later\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RfTestHost host;
        host.loadIni(rfSection() + c.ext);
        host.select(kConfiguredComboBaseId, c.selection);
        host.busy = c.busy;
        pressConfiguredButton(host, 0);
        EXPECT_EQ(host.logText(), c.log);
        EXPECT_EQ(host.paneText(), c.pane);
        EXPECT_EQ(host.session.emulator.scans(), 0);
    }
}

TEST(ConfiguredButton, OnlyTheFirstFiftyOneButtonsAct) {
    std::string ext = "[ext]\next_count=52\n";
    for (int i = 1; i <= 52; ++i)
        ext += formatText("ext%d_button=B%d\next%d_addr=0x%x\next%d_combox=a\next%d_value=%d\n",
                          {i, i, i, 0x100 + i, i, i, i});
    RfTestHost host;
    host.loadIni(rfSection() + ext);

    pressConfiguredButton(host, -1);
    pressConfiguredButton(host, 51);
    EXPECT_EQ(host.paneText(), "");
    EXPECT_EQ(host.logText(), "");
    EXPECT_EQ(host.session.emulator.scans(), 0);

    pressConfiguredButton(host, kRoutedConfiguredRows - 1);
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("set [B51] success!\n"));
    EXPECT_EQ(host.chipBytes(0x100 + 51, 1), std::vector<uint8_t>{51});
}

TEST(ConfiguredButton, ButtonWithoutControlEndsInTheFailureReport) {
    RfTestHost host;
    host.loadIni(rfSection() + oneControl("5", false));
    pressConfiguredButton(host, 1);
    EXPECT_EQ(host.paneText(),
              paneLine(std::string("[") + kDynamicHandler + "]\tThis is a exception without handling\n\n"));
    EXPECT_EQ(host.session.emulator.scans(), 0);
}

TEST(ConfiguredButton, WordThatNeverLeftIsReportedAsFailure) {
    RfTestHost host;
    // The caption is data, never a format.
    host.loadIni(rfSection() + oneControl("1122334455", true, "0x70", "SET %s%n"));
    host.select(kConfiguredComboBaseId, 0);
    // Handshake, the first word, then the second word fails.
    host.session.emulator.timeOutNthWrite(3);

    pressConfiguredButton(host, 0);

    EXPECT_EQ(host.paneText(), paneLine(kSeparator) +
                                   paneLine("set [SET %s%n] fail! the register write did not reach the download board\n"));
    EXPECT_EQ(host.logText().find("usb close success"), std::string::npos);
}

}  // namespace
}  // namespace tessorin::testing
