// The fixed RF buttons pressed on the window: each sends what its own row
// names, its parameter's chip address and the entry chosen in its combo box.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "emulator/emulator_session.h"
#include "runner/log_capture.h"
#include "runner/window_harness.h"
#include "tests/app/panel_ini.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

TEST(RfRows, EachButtonSendsTheEntryOfItsOwnComboBoxToItsParameter) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x6D10);
    runner::LogCapture log;
    runner::WindowHarness harness;
    ASSERT_TRUE(harness.start());
    TempFolder dir;
    harness.window.OnDropFiles({dir.write("rows.ini", panelIni(0))});
    struct Case {
        int buttonId;
        int comboId;
        int entry;
        uint32_t address;
        uint8_t value;
        const char* handler;
    };
    const Case cases[] = {
        {kFrequencyButtonId, kFrequencyComboId, 5, 0x40, 5, "OnBnClickedButtonSelectFreq"},
        {kModulationRateButtonId, kModulationRateComboId, 1, 0x41, 1, "OnBnClickedButtonMrate"},
        {kTxRxButtonId, kTxRxComboId, 0, 0x42, 1, "OnBnClickedButtonTxrx"},
        {kBtBleButtonId, kBtBleComboId, 1, 0x43, 1, "OnBnClickedButtonBtble"},
        {kCarrierDataButtonId, kCarrierDataComboId, 1, 0x44, 1, "OnBnClickedButtonCarrier"},
        {kDataLengthButtonId, kDataLengthComboId, 0, 0x45, 0x25, "OnBnClickedButtonDatalength"},
        {kFreqHopFixButtonId, kFreqHopFixComboId, 1, 0x46, 1, "OnBnClickedButtonFreqFixHop"},
        {kPowerButtonId, kPowerComboId, 3, 0x60, 0x13, "OnBnClickedButtonPower"},
    };
    // Every other combo box points at an entry that would send something else.
    for (const Case& c : cases) harness.controls.comboSetCurSel(c.comboId, 1 - c.entry % 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handler);
        session.emulator.withChip(0, [&](emulator::ChipModel& chip) { chip.poke(c.address, 0xEE); });
        harness.controls.comboSetCurSel(c.comboId, c.entry);
        log.clear();
        EXPECT_TRUE(harness.window.onCommand(c.buttonId));
        EXPECT_NE(log.text().find(std::string("[CBrevoxDownloadToolDlg::") + c.handler + "]"), std::string::npos)
            << log.text();
        EXPECT_EQ(session.emulator.withChip(0, [&](emulator::ChipModel& chip) { return chip.peek(c.address); }),
                  c.value);
        harness.controls.comboSetCurSel(c.comboId, 1 - c.entry % 2);
    }
}

}  // namespace
}  // namespace tessorin::testing
