#include <gtest/gtest.h>

#include "base/numbers.h"
#include "config/chip_def.h"
#include "runner/log_capture.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

using testing::TempFolder;
using Flags = std::vector<bool>;
using Texts = std::vector<std::string>;

ChipDef loadChip(const TempFolder& dir, const std::string& chipSection) {
    return ChipDef(*openProfileForLoad(dir.write("chip.ini", "[chip_impl]\n" + chipSection)));
}

TEST(ChipDef, AddressTextDecidesAvailability) {
    TempFolder dir;
    const struct {
        const char* line;
        bool available;
    } cases[] = {{"", false},          {"chip_freq_addr=", false},     {"chip_freq_addr=0", false},
                 {"chip_freq_addr=0x0", false}, {"chip_freq_addr=4000h", false}, {"chip_freq_addr= x", false},
                 {"chip_freq_addr=4000", true}, {"chip_freq_addr=0x40", true},   {"chip_freq_addr=abc", true}};
    for (const auto& c : cases) {
        runner::LogCapture log;
        ChipDef chip = loadChip(dir, std::string(c.line) + "\n");
        Flags flags = chip.addressValidFlags();
        ASSERT_EQ(flags.size(), kAddressFlagCount) << c.line;
        EXPECT_EQ(flags[0], c.available) << c.line;
        EXPECT_EQ(log.text(), "");
    }
    ChipDef chip = loadChip(dir, "chip_freq_addr=4000\n");
    EXPECT_EQ(parseNumber(chip.paramAddressText(0)), 4000u);  // decimal, not 0x4000
}

TEST(ChipDef, EachParameterReadsItsOwnKey) {
    TempFolder dir;
    ChipDef chip = loadChip(dir,
                            "chip_freq_addr=40\nchip_mod_rate_addr=41\nchip_tx_rx_addr=42\nchip_bt_ble_addr=0\n"
                            "chip_carrier_data_addr=44\nchip_data_length_addr=45\nchip_freq_fix_hop_addr=46\n");
    EXPECT_EQ(chip.addressValidFlags(), (Flags{true, true, true, false, true, true, true, false, false}));
    const char* expected[] = {"40", "41", "42", "0", "44", "45", "46"};
    for (int p = 0; p < 7; ++p) EXPECT_EQ(chip.paramAddressText(p), expected[p]) << p;
    // Any other index reads parameter 0.
    EXPECT_EQ(chip.paramAddressText(7), "40");
    EXPECT_EQ(chip.paramAddressText(-1), "40");
}

TEST(ChipDef, AddressIsReadAgainAtEveryCall) {
    TempFolder dir;
    ChipDef chip = loadChip(dir, "chip_freq_addr=0x40\n");
    dir.write("chip.ini", "[chip_impl]\nchip_freq_addr=0x4c\nchip_mod_rate_addr=0x41\n");
    EXPECT_EQ(chip.paramAddressText(0), "0x4c");
    EXPECT_EQ(chip.readChipKey("chip_mod_rate_addr"), "0x41");
    // The flags keep the file as it was at load.
    EXPECT_FALSE(chip.addressValidFlags()[1]);
}

TEST(ChipDef, FrequencyDrift) {
    TempFolder dir;
    const struct {
        const char* lines;
        bool supported;
        int32_t min, max;
        const char* rangeText;
    } cases[] = {
        {"chip_freq_drift_addr=1\nchip_freq_drift_range=[-20,20]\n", true, -32, 32, "-20,20"},
        {"chip_freq_drift_addr=0x50\nchip_freq_drift_range=[3f,0]\n", true, 63, 0, "3f,0"},
        {"chip_freq_drift_addr=1\nchip_freq_drift_range=0,3f\n", true, 0, 0, "0,3f"},
        {"chip_freq_drift_addr=1\nchip_freq_drift_range=[0 3f]\n", true, 0, 0, "[0 3f]"},
        {"chip_freq_drift_addr=1\nchip_freq_drift_range=[,5]\n", true, 0, 0, ",5"},
        {"chip_freq_drift_addr=1\nchip_freq_drift_range=[5,]\n", true, 5, 0, "5,"},
        {"chip_freq_drift_addr=1\nchip_freq_drift_range=[[-0x10],[zz]]\n", true, -16, 0, "-0x10,zz"},
        {"chip_freq_drift_addr=1\nchip_freq_drift_range=[80000000,1]\n", true, 2147483647, 1, "80000000,1"},
        {"chip_freq_drift_addr=0\nchip_freq_drift_range=[-20,20]\n", false, 0, 0, ""},
        {"chip_freq_drift_range=[-20,20]\n", false, 0, 0, ""},
    };
    for (const auto& c : cases) {
        ChipDef chip = loadChip(dir, std::string(c.lines) + "chip_freq_drift_pre=50 {%02x}\nchip_freq_drift_post=51 01\n");
        ASSERT_EQ(chip.addressValidFlags().size(), kAddressFlagCount) << c.lines;
        EXPECT_EQ(chip.addressValidFlags()[7], c.supported) << c.lines;
        EXPECT_EQ(chip.freqDriftSupported(), c.supported) << c.lines;
        EXPECT_EQ(chip.freqDriftMin(), c.min) << c.lines;
        EXPECT_EQ(chip.freqDriftMax(), c.max) << c.lines;
        EXPECT_EQ(chip.freqDriftRangeText(), c.rangeText) << c.lines;
        EXPECT_EQ(chip.freqDriftPre(), c.supported ? "50 {%02x}" : "") << c.lines;
        EXPECT_EQ(chip.freqDriftPost(), c.supported ? "51 01" : "") << c.lines;
    }
}

TEST(ChipDef, Power) {
    TempFolder dir;
    using Table = std::vector<Texts>;
    const struct {
        const char* lines;
        bool supported;
        Texts addrs;
        Table table;
    } cases[] = {
        {"chip_power_addr=4c\nchip_power_value=1|2|3\n", true, {"4c"}, {{"1", "2", "3"}}},
        {"chip_power_addr=4c|4d\nchip_power_value=1|2|3|4\n", false, {}, {}},
        {"chip_power_addr=0\nchip_power_value=1|2\n", false, {}, {}},
        {"chip_power_addr=0x60\n", true, {"0x60"}, {{""}}},
        {"chip_power_addr=60\nchip_power_value=0-3`0\n", true, {"60"}, {{"00", "10", "20", "30"}}},
    };
    for (const auto& c : cases) {
        ChipDef chip = loadChip(dir, c.lines);
        ASSERT_EQ(chip.addressValidFlags().size(), kAddressFlagCount) << c.lines;
        EXPECT_EQ(chip.addressValidFlags()[8], c.supported) << c.lines;
        EXPECT_EQ(chip.powerSupported(), c.supported) << c.lines;
        EXPECT_EQ(chip.powerAddrs(), c.addrs) << c.lines;
        EXPECT_EQ(chip.powerValueTable(), c.table) << c.lines;
    }
}

TEST(ChipDef, ErrorEndsTheLoadAndIsLogged) {
    TempFolder dir;
    runner::LogCapture log;
    ChipDef chip = loadChip(dir, "chip_type=demo\nchip_freq_addr=1\nchip_mod_rate_addr=4294967296\nchip_tx_rx_addr=3\n");
    EXPECT_EQ(chip.chipType(), "demo");
    EXPECT_EQ(chip.addressValidFlags(), Flags{true});
    EXPECT_FALSE(chip.powerSupported());
    EXPECT_EQ(log.maskedText(), "[T]\t\tThis is a exception without handling\n\n");
}

TEST(ChipDef, OverlongPowerListNamesItsKey) {
    TempFolder dir;
    runner::LogCapture log;
    ChipDef chip = loadChip(dir, "chip_power_addr=4c\nchip_power_value=0-0x7fffffff\n");
    EXPECT_TRUE(chip.powerSupported());
    EXPECT_EQ(chip.powerAddrs(), Texts{"4c"});
    EXPECT_TRUE(chip.powerValueTable().empty());
    EXPECT_EQ(log.maskedText(), "[T]\t\tini key [chip_power_value]: list expands to more than 65536 entries\n\n");
}

TEST(ChipDef, MissingFileGivesNothingAvailable) {
    TempFolder dir;
    ChipDef chip(*openProfileForLoad(dir.path("gone.ini")));
    EXPECT_EQ(chip.addressValidFlags(), Flags(kAddressFlagCount, false));
    EXPECT_EQ(chip.chipType(), "");
    EXPECT_EQ(chip.paramAddressText(0), "");
}

}  // namespace
}  // namespace tessorin
