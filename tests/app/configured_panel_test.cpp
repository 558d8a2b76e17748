#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "runner/log_capture.h"
#include "runner/window_harness.h"
#include "tests/app/panel_ini.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

constexpr int kFixedCombos[] = {1019, 1020, 1022, 1024, 1026, 1028, 1032, 1039};

class ConfiguredPanel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(harness.start()); }
    int selection(int id) { return harness.controls.comboGetCurSel(id); }
    size_t items(int id) { return harness.controls.find(id)->items.size(); }
    bool enabled(int id) { return harness.controls.find(id)->enabled; }

    runner::LogCapture log;
    TempFolder dir;
    runner::WindowHarness harness;
    CBrevoxDownloadToolDlg& window = harness.window;
};

TEST_F(ConfiguredPanel, FillsTheWindowFromTheFile) {
    std::string path = dir.write("demo.ini", panelIni(2));
    window.loadIniAndRebuildPanel(path);

    EXPECT_EQ(harness.controls.windowCaption(), "Tessorin V2.4.6 [demo chip]");
    EXPECT_EQ(harness.controls.controlText(kIniPathLabelId), path);
    const size_t expectedItems[] = {79, 2, 2, 2, 2, 2, 2, 8};
    const int expectedSelection[] = {0, 0, 0, 1, 0, 1, 0, 7};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(items(kFixedCombos[i]), expectedItems[i]) << kFixedCombos[i];
        EXPECT_EQ(selection(kFixedCombos[i]), expectedSelection[i]) << kFixedCombos[i];
    }
    EXPECT_EQ(harness.controls.find(1019)->items.back(), "2480MHz");
    // The hidden chip-type and 2.4G rows are not filled.
    EXPECT_TRUE(harness.controls.find(1036)->items.empty());
    EXPECT_TRUE(harness.controls.find(1040)->items.empty());
    EXPECT_EQ(harness.controls.createdIds(), (std::vector<int>{1124, 1224, 1324, 1125, 1225, 1325}));
    ASSERT_EQ(window.configuredControls.size(), 2u);
    EXPECT_EQ(window.configuredControls[1]->comboControlId(), 1225);
    EXPECT_EQ(harness.controls.unknownIdUses(), 0);
}

TEST_F(ConfiguredPanel, RowsAreLaidOutBelowTheRfGroup) {
    window.loadIniAndRebuildPanel(dir.write("demo.ini", panelIni(2)));
    PixelRect frequencyLabel = harness.controls.controlRect(kFrequencyLabelId);
    PixelRect group = harness.controls.controlRect(kRfGroupBoxId);
    const int x = frequencyLabel.left, y = group.bottom + 10 + 30;  // second row
    EXPECT_EQ(window.panelOrigin, (PixelPoint{x, group.bottom + 10}));

    auto label = *harness.controls.find(1125);
    auto combo = *harness.controls.find(1225);
    auto button = *harness.controls.find(1325);
    EXPECT_EQ(label.rect, (PixelRect{x, y, x + 180, y + 30}));
    EXPECT_TRUE(label.rightAligned);
    EXPECT_EQ(label.text, "Row 2");
    EXPECT_EQ(combo.kind, ControlKind::ComboBox);
    EXPECT_EQ(combo.rect, (PixelRect{x + 190, y, x + 290, y + 400}));
    EXPECT_EQ(combo.itemHeight, 20);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"a 2", "b 2"}));
    EXPECT_EQ(combo.selection, 0);
    EXPECT_EQ(button.kind, ControlKind::PushButton);
    EXPECT_EQ(button.rect, (PixelRect{x + 295, y, x + 375, y + 30}));
    EXPECT_EQ(button.text, "Set 2");
}

TEST_F(ConfiguredPanel, SameFileTwiceGivesTheSameWindow) {
    std::string path = dir.write("demo.ini", panelIni(3));
    window.loadIniAndRebuildPanel(path);
    harness.controls.comboSetCurSel(1019, 5);
    harness.controls.comboSetCurSel(1225, 1);
    window.loadIniAndRebuildPanel(path);

    EXPECT_EQ(harness.controls.windowCaption(), "Tessorin V2.4.6 [demo chip]");
    EXPECT_EQ(harness.controls.createdIds(),
              (std::vector<int>{1124, 1224, 1324, 1125, 1225, 1325, 1126, 1226, 1326}));
    EXPECT_EQ(selection(1019), 0);
    EXPECT_EQ(selection(1225), 0);
    EXPECT_EQ(items(1019), 79u);
    EXPECT_EQ(harness.controls.unknownIdUses(), 0);
}

TEST_F(ConfiguredPanel, FileWithoutConfiguredControlsRemovesTheRows) {
    window.loadIniAndRebuildPanel(dir.write("three.ini", panelIni(3)));
    PixelPoint origin = window.panelOrigin;
    window.loadIniAndRebuildPanel(dir.write("none.ini", commonSection() + chipSection()));
    EXPECT_TRUE(harness.controls.createdIds().empty());
    EXPECT_TRUE(window.configuredControls.empty());
    EXPECT_EQ(window.panelOrigin, origin);  // kept when no row is built
}

TEST_F(ConfiguredPanel, FiftyTwoControlsMakeFiftyTwoRowsAndTheLastButtonIsNotRouted) {
    window.loadIniAndRebuildPanel(dir.write("many.ini", panelIni(52)));
    std::vector<int> ids = harness.controls.createdIds();
    ASSERT_EQ(ids.size(), 156u);
    EXPECT_EQ(ids[153], 1175);
    EXPECT_EQ(ids[154], 1275);
    EXPECT_EQ(ids[155], 1375);
    EXPECT_EQ(harness.controls.find(1375)->text, "Set 52");

    EXPECT_FALSE(window.onCommand(1375));
    EXPECT_EQ(harness.controls.paneText(), "");
    log.clear();
    // The last routed button still reaches its handler: nothing is selected there now.
    harness.controls.comboSetCurSel(1274, -1);
    EXPECT_TRUE(window.onCommand(1374));
    EXPECT_NE(harness.controls.paneText(), "");
}

TEST_F(ConfiguredPanel, RowsFollowTheChipsAvailabilityFlags) {
    struct Case {
        ChipOptions chip;
        std::vector<int> disabled;
    };
    const Case cases[] = {
        {{}, {}},
        {{.driftAddr = "0"}, {1004, 1038}},
        {{.powerAddr = ""}, {1039, 1041}},
        {{.freqAddr = "4000h", .driftAddr = "", .powerAddr = "4c|4d"}, {1019, 1015, 1004, 1038, 1039, 1041}},
    };
    for (const Case& c : cases) {
        window.loadIniAndRebuildPanel(dir.write("chip.ini", panelIni(0, c.chip)));
        for (const RfRow& row : fixedRfRows()) {
            for (int id : {row.valueControlId, row.buttonId}) {
                bool expectDisabled = std::find(c.disabled.begin(), c.disabled.end(), id) != c.disabled.end();
                EXPECT_EQ(enabled(id), !expectDisabled) << id << " drift=" << c.chip.driftAddr;
            }
        }
    }
}

TEST_F(ConfiguredPanel, InitialIndexBeyondTheListSelectsNothing) {
    std::string ini = commonSection() + chipSection() + extSection(1, "2");
    ini.replace(ini.find("modulation_rate_init_select_index=0"), 35, "modulation_rate_init_select_index=5");
    window.loadIniAndRebuildPanel(dir.write("beyond.ini", ini));
    EXPECT_EQ(selection(1020), -1);
    EXPECT_EQ(items(1020), 2u);
    EXPECT_EQ(selection(1224), -1);
    EXPECT_EQ(selection(1019), 0);
}

TEST_F(ConfiguredPanel, FailedLoadKeepsTheConfigurationAndPanel) {
    window.loadIniAndRebuildPanel(dir.write("demo.ini", panelIni(2)));
    const TestConfig* before = window.configuration.get();
    harness.controls.comboSetCurSel(1019, 3);
    log.clear();

    std::string missing = dir.path("gone.ini");
    window.loadIniAndRebuildPanel(missing);

    EXPECT_EQ(window.configuration.get(), before);
    EXPECT_EQ(harness.controls.windowCaption(), "Tessorin V2.4.6 [demo chip]");
    EXPECT_EQ(harness.controls.controlText(kIniPathLabelId), missing);
    EXPECT_EQ(selection(1019), 3);
    EXPECT_EQ(harness.controls.createdIds().size(), 6u);
    EXPECT_EQ(window.configuredControls.size(), 2u);
    const std::string error = "ini文件[" + missing + "]不存在";
    EXPECT_EQ(harness.controls.paneText(), error + "\r\n");
    EXPECT_EQ(log.maskedText(), "[T]\t\t" + error + "\n");
}

TEST_F(ConfiguredPanel, CaptionSuffixReplacesTheEarlierOne) {
    struct Case {
        std::vector<std::string> chipTypes;
        std::string caption;
    };
    const Case cases[] = {
        {{"A"}, "Tessorin V2.4.6 [A]"},
        {{"A", "B"}, "Tessorin V2.4.6 [B]"},
        {{"芯片", "芯片"}, "Tessorin V2.4.6 [芯片]"},
        {{""}, "Tessorin V2.4.6 []"},
        // A chip type with its own "[" is cut there by the next load.
        {{"x[y", "z"}, "Tessorin V2.4.6 [ [z]"},
    };
    for (const Case& c : cases) {
        harness.controls.setWindowCaption("Tessorin V2.4.6");
        for (const std::string& type : c.chipTypes) window.setCaptionSuffix(type);
        EXPECT_EQ(harness.controls.windowCaption(), c.caption);
        EXPECT_EQ(window.scratchText, c.caption);
    }
}

TEST(ConfiguredPanelEdge, CaptionStartingWithABracketKeepsNothingBeforeIt) {
    runner::LogCapture log;
    runner::WindowHarness harness;
    ASSERT_TRUE(harness.start());
    harness.controls.setWindowCaption("[old]");
    harness.window.setCaptionSuffix("new");
    EXPECT_EQ(harness.controls.windowCaption(), " [new]");
}

}  // namespace
}  // namespace tessorin::testing
