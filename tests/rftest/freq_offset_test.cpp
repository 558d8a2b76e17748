// Frequency Offset SET: the typed offset, its range, and the two drift templates.
#include <gtest/gtest.h>

#include "rftest/drift_command.h"
#include "rftest/rf_buttons.h"
#include "tests/rftest/rf_test_host.h"

namespace tessorin::testing {
namespace {

const char* const kOffsetHandler = "CBrevoxDownloadToolDlg::OnBnClickedButtonFreqoffset";

std::string driftChip(const std::string& pre, const std::string& post, const std::string& range = "[-20,20]",
                      const std::string& driftAddr = "0x50") {
    return "[chip_impl]\nchip_type=demo\nchip_freq_drift_addr=" + driftAddr + "\nchip_freq_drift_pre=" + pre +
           "\nchip_freq_drift_range=" + range + "\nchip_freq_drift_post=" + post + "\n";
}

// Pressed with the offset text typed into the edit box.
struct OffsetPress {
    explicit OffsetPress(const std::string& chip) { host.loadIni(rfSection() + chip); }
    void press(const std::string& offsetText) {
        host.setText(kFreqOffsetEditId, offsetText);
        pressFreqOffsetSet(host, kFreqOffsetEditId);
    }
    RfTestHost host;
};

TEST(BuildDriftCommand, FillsThePlaceholderAndCutsAtSpaces) {
    struct Case {
        int32_t offset;
        const char* templateText;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {0x1f, "4c10 {%02x}", {"4c10", "1f"}},
        {5, "4c10 {%02x}", {"4c10", "05"}},
        {-5, "4c10 {%02x}", {"4c10", "fffffffb"}},
        {-5, "4c10 {%02d}", {"4c10", "-5"}},
        {7, "4c10 {%02d}", {"4c10", "07"}},
        {0x10, "4c10 0x{%02x}", {"4c10", "0x10"}},
        {0x10, "4c10 {%02x}{%02x}", {"4c10", "1010"}},
        // With both placeholders only {%02x} is filled.
        {3, "4c10 {%02x}{%02d}", {"4c10", "03{%02d}"}},
        {3, "51 01", {"51", "01"}},
        {3, "51  01 extra", {"51", "01", "extra"}},
        {3, "", {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateText);
        EXPECT_EQ(buildDriftCommand(c.offset, c.templateText), c.tokens);
    }
}

TEST(FreqOffset, PreAndPostGoOutInOneLinkWithOneSuccessLine) {
    OffsetPress offset(driftChip("4c10 {%02x}", "51 01"));
    offset.press("1f");

    RfTestHost& host = offset.host;
    EXPECT_EQ(host.logText(), bannerLine(kOffsetHandler) + logLine("USB opened successfully.\n") +
                                  logLine("cmd:[e 4c10 1f]\n") + logLine("cmd:[e 51 01]\n") +
                                  logLine("usb close success\n"));
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("set [freq offset] success!\n"));
    EXPECT_EQ(host.trace(), "> f2 18 00 80\n< 02\n> f2 16 01 10 4c 1f\n> f2 16 01 51 00 01\n");
    EXPECT_EQ(host.commandText(), "1f");
    EXPECT_EQ(host.session.emulator.openHandles(), 0);
}

TEST(FreqOffset, ValueTextDecidesNumberAndByteCount) {
    struct Case {
        const char* pre;
        const char* offsetText;
        const char* commandLine;
        const char* writeRequest;
    };
    const Case cases[] = {
        {"4c10 {%02x}", "1f", "cmd:[e 4c10 1f]\n", "> f2 16 01 10 4c 1f\n"},
        // «10» is all digits, so decimal ten.
        {"4c10 {%02x}", "10", "cmd:[e 4c10 10]\n", "> f2 16 01 10 4c 0a\n"},
        {"4c10 {%02x}", "-5", "cmd:[e 4c10 fffffffb]\n", "> f2 16 04 10 4c fb ff ff ff\n"},
        // «-5» is no number: zero, one byte.
        {"4c10 {%02d}", "-5", "cmd:[e 4c10 -5]\n", "> f2 16 01 10 4c\n"},
        {"4c10 0x{%02x}", "10", "cmd:[e 4c10 0x10]\n", "> f2 16 02 10 4c 10\n"},
        // Spaces typed into the box are removed before reading the number.
        {"4c10 {%02x}", " 1 f ", "cmd:[e 4c10 1f]\n", "> f2 16 01 10 4c 1f\n"},
        {"4c10 {%02x}", "-a", "cmd:[e 4c10 fffffff6]\n", "> f2 16 04 10 4c f6 ff ff ff\n"},
        {"4c10 {%02d}", "0x10", "cmd:[e 4c10 16]\n", "> f2 16 01 10 4c 10\n"},
        // No hexadecimal digits: offset 0, inside the range.
        {"4c10 {%02x}", "zz", "cmd:[e 4c10 00]\n", "> f2 16 01 10 4c\n"},
        {"4c10 {%02x}", "-20", "cmd:[e 4c10 ffffffe0]\n", "> f2 16 04 10 4c e0 ff ff ff\n"},
        {"4c10 {%02x}", "20", "cmd:[e 4c10 20]\n", "> f2 16 01 10 4c 14\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pre) + " / " + c.offsetText);
        OffsetPress offset(driftChip(c.pre, "51 01"));
        offset.press(c.offsetText);
        EXPECT_NE(offset.host.logText().find(logLine(c.commandLine)), std::string::npos) << offset.host.logText();
        EXPECT_NE(offset.host.trace().find(c.writeRequest), std::string::npos) << offset.host.trace();
        EXPECT_NE(offset.host.paneText().find("set [freq offset] success!"), std::string::npos);
    }
}

TEST(FreqOffset, RefusalsComeAfterTheBannerAndSendNothing) {
    struct Case {
        const char* name;
        std::string chip;
        const char* offsetText;
        bool busy;
        std::string message;
    };
    const std::string good = driftChip("4c10 {%02x}", "51 01");
    const Case cases[] = {
        {"below the range", good, "-21", false, "input value not in range\n"},
        {"above the range", good, "21", false, "input value not in range\n"},
        {"beyond 32 bits", good, "80000000", false, "input value not in range\n"},
        {"empty box", good, "", false, "string must have value\n"},
        {"only spaces", good, "   ", false, "string must have value\n"},
        {"no drift on this chip", driftChip("4c10 {%02x}", "51 01", "[-20,20]", "0"), "1", false,
         "This chip typeKeyStr is unsupport!\n"},
        {"download running", good, "1", true, "downloading,please try again later\n"},
        {"pre without value", driftChip("4c10", "51 01"), "1", false,
         "INI error: chip_freq_drift_pre [4c10] must be an address, a space and a value of at most 8 digits\n"},
        // A bad post template must not leave the pre command applied alone.
        {"post missing", driftChip("4c10 {%02x}", ""), "1", false,
         "INI error: chip_freq_drift_post [] must be an address, a space and a value of at most 8 digits\n"},
        {"value wider than 32 bits", driftChip("4c10 0x{%02x}", "51 01"), "-1", false,
         "INI error: chip_freq_drift_pre [4c10 0x{%02x}] must be an address, a space and a value of at most 8 "
         "digits\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OffsetPress offset(c.chip);
        offset.host.busy = c.busy;
        offset.press(c.offsetText);
        // The busy refusal goes to the pane only; the others through the guard to both.
        EXPECT_EQ(offset.host.logText(), bannerLine(kOffsetHandler) + (c.busy ? "" : logLine(c.message)));
        EXPECT_EQ(offset.host.paneText(), paneLine(kSeparator) + paneLine(c.message));
        EXPECT_EQ(offset.host.session.emulator.scans(), 0);
    }
}

TEST(FreqOffset, BeforeAnyIniIsLoadedThePressIsRefused) {
    RfTestHost host;
    host.setText(kFreqOffsetEditId, "1");
    pressFreqOffsetSet(host, kFreqOffsetEditId);
    EXPECT_EQ(host.paneText(), paneLine(kSeparator) + paneLine("This chip typeKeyStr is unsupport!\n"));
    EXPECT_EQ(host.session.emulator.scans(), 0);
}

TEST(FreqOffset, PostWriteThatNeverLeftIsReportedAsFailure) {
    OffsetPress offset(driftChip("4c10 {%02x}", "51 01"));
    // Handshake, pre, then the post write fails.
    offset.host.session.emulator.timeOutNthWrite(3);
    offset.press("1");

    const std::string report = "set [freq offset] fail! the register write did not reach the download board\n";
    EXPECT_EQ(offset.host.paneText(), paneLine(kSeparator) + paneLine(report));
    EXPECT_EQ(offset.host.logText().find("usb close success"), std::string::npos);
    EXPECT_EQ(offset.host.trace(), "> f2 18 00 80\n< 02\n> f2 16 01 10 4c 01\n");
}

TEST(FreqOffset, BoardWithoutChipIsReported) {
    OffsetPress offset(driftChip("4c10 {%02x}", "51 01"));
    offset.host.session.emulator.detachChip(offset.host.board);
    offset.press("1");
    EXPECT_EQ(offset.host.paneText(), paneLine(kSeparator) + paneLine("confirm that the download board is linked\n"));
    EXPECT_EQ(offset.host.trace().find("> f2 16"), std::string::npos);
}

}  // namespace
}  // namespace tessorin::testing
