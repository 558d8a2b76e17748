#include <gtest/gtest.h>

#include <stdexcept>

#include "config/test_config.h"
#include "runner/log_capture.h"
#include "tests/config/config_data.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

using testing::TempFolder;
using Texts = std::vector<std::string>;
using Numbers = std::vector<uint32_t>;
using Flags = std::vector<bool>;

Texts numberedTexts(int first, int last, const std::string& suffix) {
    Texts out;
    for (int n = first; n <= last; ++n) out.push_back(std::to_string(n) + suffix);
    return out;
}

Numbers numbersFrom(uint32_t first, uint32_t last) {
    Numbers out;
    for (uint32_t n = first; n <= last; ++n) out.push_back(n);
    return out;
}

std::string keyLine(const std::string& key, const std::string& value) {
    return "[T]\t\tkey:" + key + "\tvalue:" + value + "\n\n";
}

TEST(LoadTestConfig, WorkedExample) {
    runner::LogCapture log;
    std::unique_ptr<TestConfig> config = loadTestConfig(testing::configDataPath("worked_example.ini"));
    ASSERT_NE(config, nullptr);

    const struct {
        RfParam index;
        Texts texts;
        Numbers values;
        uint32_t initIndex;
    } rf[] = {
        {rfFreq, numberedTexts(2402, 2480, "MHz"), numbersFrom(0, 78), 0},
        {rfModulationRate, {"1M", "2M"}, {0, 1}, 0},
        {rfTxRx, {"TX", "RX"}, {1, 0}, 0},
        {rfBtBle, {"BT", "BLE"}, {0, 1}, 1},
        {rfCarrierData, {"carrier", "data"}, {0, 1}, 0},
        {rfDataLength, {"37", "255"}, {0x25, 0xff}, 1},
        {rfFreqHopOrFix, {"fix", "hop"}, {0, 1}, 0},
        {rfPower, numberedTexts(0, 7, "dBm"), {0}, 7},  // no power_value key: one value 0
    };
    for (const auto& r : rf) {
        const ComboDef& combo = config->rfCombo(r.index);
        std::string stem(rfParamNames[static_cast<size_t>(r.index)]);
        EXPECT_EQ(combo.displayTexts(), r.texts) << stem;
        EXPECT_EQ(combo.numericValues(), r.values) << stem;
        EXPECT_EQ(combo.initSelectIndex(), r.initIndex) << stem;
        EXPECT_FALSE(combo.valuesAreText()) << stem;
        EXPECT_EQ(combo.section(), "common");
        EXPECT_EQ(combo.comboKey(), stem + "_combox");
        EXPECT_EQ(combo.valueKey(), stem + "_value");
        EXPECT_EQ(combo.initIndexKey(), stem + "_init_select_index");
    }
    EXPECT_EQ(config->rfCombo(rfDataLength).valueText(1), "ff");

    EXPECT_EQ(config->chipType(), "demo chip");
    EXPECT_EQ(config->addressValidFlags(), Flags(kAddressFlagCount, true));
    const ChipDef& chip = config->chip();
    const char* addresses[] = {"0x40", "0x41", "0x42", "0x43", "0x44", "0x45", "0x46"};
    for (int p = 0; p < 7; ++p) EXPECT_EQ(chip.paramAddressText(p), addresses[p]);
    EXPECT_TRUE(chip.freqDriftSupported());
    EXPECT_EQ(chip.freqDriftMin(), -32);
    EXPECT_EQ(chip.freqDriftMax(), 32);
    EXPECT_EQ(chip.freqDriftPre(), "50 {%02x}");
    EXPECT_EQ(chip.freqDriftPost(), "51 01");
    EXPECT_TRUE(chip.powerSupported());
    EXPECT_EQ(chip.powerAddrs(), Texts{"0x60"});
    EXPECT_EQ(chip.powerValueTable(), (std::vector<Texts>{{"10", "11", "12", "13", "14", "15", "16", "17"}}));

    ExtControlList controls = config->extControls();
    ASSERT_EQ(controls.size(), 1u);
    const ExtControlDef& ext = *controls[0];
    EXPECT_EQ(ext.title(), "Channel");
    EXPECT_EQ(ext.button(), "SET");
    EXPECT_EQ(ext.addr(), "0x70");
    EXPECT_EQ(ext.combo().displayTexts(), (Texts{"low", "high"}));
    EXPECT_TRUE(ext.combo().valuesAreText());
    EXPECT_EQ(ext.combo().textValues(), (Texts{"0x01", "0x02"}));
    EXPECT_EQ(ext.combo().valueText(1), "0x02");
    EXPECT_EQ(ext.combo().initSelectIndex(), 0u);
    EXPECT_EQ(ext.labelControlId(), kNoControlId);
    EXPECT_EQ(config->extControlSet().count(), 1);

    EXPECT_EQ(log.maskedText(), keyLine("ext1_combox", "low|high") + keyLine("ext1_value", "0x01|0x02") +
                                    keyLine("ext1_init_select_index", "0") + keyLine("ext1_title", "Channel") +
                                    keyLine("ext1_button", "SET") + keyLine("ext1_addr", "0x70") +
                                    keyLine("ext1_parse_value_by_string", "1"));
}

TEST(LoadTestConfig, PathErrors) {
    TempFolder dir;
    const struct {
        std::string path;
        std::string text;
    } cases[] = {
        {"", "iniPath不能为空!\n"},
        {dir.path("缺少 ✓.ini"), "ini文件[" + dir.path("缺少 ✓.ini") + "]不存在"},
        {dir.path(""), "ini文件[" + dir.path("") + "]无法读取"},
    };
    for (const auto& c : cases) {
        runner::LogCapture log;
        try {
            loadTestConfig(c.path);
            ADD_FAILURE() << "loaded " << c.path;
        } catch (const ConfigError& error) {
            EXPECT_EQ(error.text(), c.text);
        }
        EXPECT_EQ(log.text(), "");
    }
}

TEST(LoadTestConfig, PathOutsideAsciiLoads) {
    TempFolder dir;
    std::string path = dir.write("配置 ✓.ini", "[chip_impl]\nchip_type=芯片\n");
    EXPECT_EQ(loadTestConfig(path)->chipType(), "芯片");
}

TEST(LoadTestConfig, EmptySectionsGiveOneEmptyEntryEach) {
    TempFolder dir;
    runner::LogCapture log;
    std::unique_ptr<TestConfig> config = loadTestConfig(dir.write("empty.ini", "[chip_impl]\nchip_type=x\n"));
    for (int index = 0; index < kRfParamCount; ++index) {
        EXPECT_EQ(config->rfCombo(index).displayTexts(), Texts{""});
        EXPECT_EQ(config->rfCombo(index).numericValues(), Numbers{0});
        EXPECT_EQ(config->rfCombo(index).initSelectIndex(), 0u);
    }
    EXPECT_TRUE(config->extControls().empty());
    EXPECT_EQ(log.text(), "");
    EXPECT_THROW(config->rfCombo(kRfParamCount), std::out_of_range);
    EXPECT_THROW(config->rfCombo(-1), std::out_of_range);
}

TEST(LoadTestConfig, CountWithUndescribedControls) {
    TempFolder dir;
    runner::LogCapture log;
    std::unique_ptr<TestConfig> config =
        loadTestConfig(dir.write("ext.ini", "[ext]\next_count=3\next1_title=A\next1_combox=x|y\next1_value=1|2\n"));
    ExtControlList controls = config->extControls();
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(controls[0]->title(), "A");
    EXPECT_EQ(controls[0]->combo().numericValues(), (Numbers{1, 2}));
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(controls[i]->title(), "");
        EXPECT_EQ(controls[i]->button(), "");
        EXPECT_EQ(controls[i]->combo().displayTexts(), Texts{""});
        EXPECT_EQ(controls[i]->combo().numericValues(), Numbers{0});
    }
    std::string expected;
    for (int number = 1; number <= 3; ++number)
        for (std::string_view suffix : kExtSuffixWords) {
            std::string key = formatExtKey(number, suffix);
            expected += keyLine(key, config->extControlSet().keyText(key));
        }
    EXPECT_EQ(log.maskedText(), expected);
    EXPECT_EQ(config->extControlSet().keyMap().size(), 21u);
    EXPECT_EQ(config->extControlSet().keyText("ext1_combox"), "x|y");
    EXPECT_EQ(config->extControlSet().keyText("ext4_combox"), "");
}

TEST(LoadTestConfig, CountsGivingNoControls) {
    TempFolder dir;
    for (const char* count : {"abc", "-2", "0", "", " 0x3"}) {
        runner::LogCapture log;
        std::unique_ptr<TestConfig> config =
            loadTestConfig(dir.write("ext.ini", std::string("[ext]\next1_title=A\next_count=") + count + "\n"));
        EXPECT_TRUE(config->extControls().empty()) << count;
        EXPECT_EQ(log.text(), "") << count;
    }
}

TEST(LoadTestConfig, CountBeyondTheLimitLoadsNoControls) {
    TempFolder dir;
    runner::LogCapture log;
    std::unique_ptr<TestConfig> config = loadTestConfig(dir.write("ext.ini", "[ext]\next_count=2000000000\n"));
    EXPECT_TRUE(config->extControls().empty());
    EXPECT_EQ(log.maskedText(),
              "[T]\t\text_count 2000000000 is more than the 1024 configured controls supported; none is loaded\n\n");
    EXPECT_EQ(loadTestConfig(dir.write("ext.ini", "[ext]\next_count=1024\n"))->extControls().size(), 1024u);
}

TEST(LoadTestConfig, ValuesAsTextFlag) {
    TempFolder dir;
    runner::LogCapture log;
    const struct {
        const char* flag;
        bool asText;
    } cases[] = {{"1", true},  {"01", true},   {" 1", true}, {"1x", true}, {"+1", true}, {"0x1", false},
                 {"0", false}, {"2", false},   {"", false},  {"-1", false}};
    for (const auto& c : cases) {
        std::unique_ptr<TestConfig> config = loadTestConfig(dir.write(
            "ext.ini", std::string("[ext]\next_count=1\next1_value=10|0x20\next1_parse_value_by_string=") + c.flag));
        const ComboDef& combo = config->extControls().at(0)->combo();
        EXPECT_EQ(combo.valuesAreText(), c.asText) << c.flag;
        EXPECT_EQ(combo.valueText(1), c.asText ? "0x20" : "20") << c.flag;
    }
}

TEST(LoadTestConfig, WideValueFailsOnlyAsNumber) {
    TempFolder dir;
    const std::string file = "[ext]\next_count=1\next1_combox=a|b\next1_value=0x123456789A|1\next1_init_select_index=1\n"
                             "ext1_parse_value_by_string=";
    {
        runner::LogCapture log;
        std::unique_ptr<TestConfig> config = loadTestConfig(dir.write("ext.ini", file + "1\n"));
        const ComboDef& combo = config->extControls().at(0)->combo();
        EXPECT_EQ(combo.textValues(), (Texts{"0x123456789A", "1"}));
        EXPECT_EQ(combo.initSelectIndex(), 1u);
        EXPECT_EQ(log.maskedText().find("exception"), std::string::npos);
    }
    runner::LogCapture log;
    std::unique_ptr<TestConfig> config = loadTestConfig(dir.write("ext.ini", file + "0\n"));
    const ComboDef& combo = config->extControls().at(0)->combo();
    EXPECT_EQ(combo.displayTexts(), (Texts{"a", "b"}));
    EXPECT_TRUE(combo.numericValues().empty());
    EXPECT_EQ(combo.initSelectIndex(), 0u);  // the guard ended the record before it
    EXPECT_THROW(combo.valueText(0), std::out_of_range);
    EXPECT_NE(log.maskedText().find("[T]\t\tThis is a exception without handling\n\n"), std::string::npos);
}

TEST(LoadTestConfig, BadRecordDoesNotStopTheLoad) {
    TempFolder dir;
    runner::LogCapture log;
    std::unique_ptr<TestConfig> config = loadTestConfig(dir.write(
        "bad.ini",
        "[common]\nfreq_combox=a|b\nfreq_value=0-0x7fffffff\nfreq_init_select_index=1\n"
        "modulation_rate_combox=x\nmodulation_rate_value=1\nmodulation_rate_init_select_index=4294967296\n"
        "tx_rx_combox=TX|RX\ntx_rx_value=1|0\n"
        "[chip_impl]\nchip_type=c\nchip_freq_addr=0x40\n"));
    const ComboDef& freq = config->rfCombo(rfFreq);
    EXPECT_EQ(freq.displayTexts(), (Texts{"a", "b"}));
    EXPECT_TRUE(freq.numericValues().empty());
    EXPECT_EQ(freq.initSelectIndex(), 0u);
    const ComboDef& rate = config->rfCombo(rfModulationRate);
    EXPECT_EQ(rate.numericValues(), Numbers{1});
    EXPECT_EQ(rate.initSelectIndex(), 0u);
    EXPECT_EQ(config->rfCombo(rfTxRx).numericValues(), (Numbers{1, 0}));
    EXPECT_EQ(config->chipType(), "c");
    EXPECT_EQ(log.maskedText(),
              "[T]\t\tini key [freq_value]: list expands to more than 65536 entries\n\n"
              "[T]\t\tThis is a exception without handling\n\n");
}

TEST(ComboDef, ValueTextOfNumbers) {
    ComboDef combo = ComboDef::loadConfigured("ext1_combox", "a|b|c", "ext1_value", "255|0|0xFFFFFFFF", "", false);
    EXPECT_EQ(combo.valueText(0), "ff");
    EXPECT_EQ(combo.valueText(1), "0");
    EXPECT_EQ(combo.valueText(2), "ffffffff");
    EXPECT_THROW(combo.valueText(3), std::out_of_range);
    EXPECT_THROW(combo.valueText(-1), std::out_of_range);
}

TEST(ComboDef, OverlongConfiguredListNamesItsKey) {
    runner::LogCapture log;
    ComboDef combo = ComboDef::loadConfigured("ext2_combox", "0-65536", "ext2_value", "1", "0", false);
    EXPECT_TRUE(combo.displayTexts().empty());
    EXPECT_EQ(log.maskedText(), "[T]\t\tini key [ext2_combox]: list expands to more than 65536 entries\n\n");
}

TEST(ExtControlDef, ControlIdsAreSharedByEveryCopyOfTheList) {
    runner::LogCapture log;
    std::unique_ptr<TestConfig> config = loadTestConfig(testing::configDataPath("worked_example.ini"));
    ExtControlList windowCopy = config->extControls();
    windowCopy[0]->setControlIds(1124, 1224, 1324);
    const ExtControlDef& seen = *config->extControls()[0];
    EXPECT_EQ(seen.labelControlId(), 1124);
    EXPECT_EQ(seen.comboControlId(), 1224);
    EXPECT_EQ(seen.buttonControlId(), 1324);
    windowCopy[0]->clearControlIds();
    EXPECT_EQ(seen.buttonControlId(), kNoControlId);
}

}  // namespace
}  // namespace tessorin
