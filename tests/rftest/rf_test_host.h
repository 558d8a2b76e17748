#pragma once
// The main window as the RF commands see it, in memory: template controls, a
// recording pane, the English messages and an INI file in a temporary folder,
// with the emulator session, log capture and a board with a chip.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/control_rows.h"
#include "base/format.h"
#include "base/paths.h"
#include "config/test_config.h"
#include "emulator/emulator_session.h"
#include "report/handler_guard.h"
#include "rftest/rf_host.h"
#include "runner/log_capture.h"
#include "runner/memory_controls.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {

inline constexpr uint16_t kTestChipId = 0x3C05;
inline constexpr int kEnglishCodePage = 1252;

// The [common] section: every SELECT row with two entries; values per row set by the test.
inline std::string rfSection(const std::string& freqValues = "3|0x1ff") {
    return "[common]\n"
           "freq_combox=a|b\nfreq_value=" + freqValues + "\n"
           "modulation_rate_combox=1M|2M\nmodulation_rate_value=0x11|0x12\n"
           "tx_rx_combox=TX|RX\ntx_rx_value=0x21|0x22\n"
           "bt_ble_combox=BT|BLE\nbt_ble_value=0x31|0x32\n"
           "carrier_data_combox=carrier;data\ncarrier_data_value=0x41;0x42\n"
           "data_length_combox=37|255\ndata_length_value=0x51|0x52\n"
           "freq_hop_or_fix_combox=fix|hop\nfreq_hop_or_fix_value=0x61|0x62\n"
           "power_combox=0-7`dBm\npower_init_select_index=2\n";
}

class RfTestHost final : public RfHost {
public:
    int comboSelection(int comboId) override { return controls_.comboGetCurSel(comboId); }
    std::string controlText(int controlId) override { return controls_.controlText(controlId); }
    runner::MemoryControls& controls() { return controls_; }
    const MessageTable& messages() override { return messages_; }
    LogPane& pane() override { return pane_; }
    const TestConfig* configuration() override { return configuration_.get(); }
    ExtControlList configuredControls() override { return configuration_ ? configuration_->extControls() : ExtControlList{}; }
    void banner(std::string_view qualifiedName) override { logHandlerBanner(scratchText_, pane_, qualifiedName); }
    std::string& commandText() override { return commandText_; }
    bool downloadBusy() override { return busy; }

    // Writes the INI file and loads it, filling the combo boxes and building the
    // configured panel as the window does.
    void loadIni(const std::string& text) {
        writeIni(text);
        configuration_ = loadTestConfig(iniPath());
        for (const RfParameterRow& row : kRfParameterRows) fillCombo(rfParameterComboId(row.index), configuration_->rfCombo(row.index));
        fillCombo(kPowerComboId, configuration_->rfCombo(rfPower));
        const ExtControlList configured = configuration_->extControls();
        for (size_t i = 0; i < configured.size(); ++i) {
            const int offset = static_cast<int>(i);
            const int comboId = kConfiguredComboBaseId + offset;
            controls_.createControl({ControlKind::ComboBox, comboId, "", {}, false});
            configured[i]->setControlIds(kConfiguredLabelBaseId + offset, comboId, kConfiguredButtonBaseId + offset);
            fillCombo(comboId, configured[i]->combo());
        }
        log.clear();
    }
    // Changes the file without reloading it.
    void writeIni(const std::string& text) { folder_.write("rf.ini", text); }
    std::string iniPath() const { return folder_.path("rf.ini"); }

    void select(int comboId, int index) { controls_.comboSetCurSel(comboId, index); }
    void setText(int id, const std::string& text) { controls_.setControlText(id, text); }

    std::string paneText() const { return pane_.text(); }
    std::string logText() const { return log.maskedText(); }
    std::string trace() const { return session.emulator.trace(); }
    std::vector<uint8_t> chipBytes(uint32_t address, int count) {
        return session.emulator.withChip(board, [&](emulator::ChipModel& chip) { return chip.peek(address, count); });
    }
    void pokeChip(uint32_t address, uint8_t value) {
        session.emulator.withChip(board, [&](emulator::ChipModel& chip) {
            chip.poke(address, value);
            return 0;
        });
    }

    emulator::EmulatorSession session;
    runner::LogCapture log;
    int board = session.emulator.addBoard(kTestChipId);
    bool busy = false;

private:
    void fillCombo(int id, const ComboDef& combo) {
        controls_.comboResetContent(id);
        for (const std::string& text : combo.displayTexts()) controls_.comboAddString(id, text);
        controls_.comboSetCurSel(id, static_cast<int>(combo.initSelectIndex()));
    }

    TempFolder folder_{"rftest"};
    runner::MemoryControls controls_;
    MessageTable messages_{kEnglishCodePage};
    runner::RecordingPane pane_;
    std::unique_ptr<TestConfig> configuration_;
    std::string scratchText_;
    std::string commandText_;
};

// One log line as writeLog writes it, timestamp masked.
inline std::string logLine(const std::string& message) { return "[T]\t\t" + message + "\n"; }
// One pane append as the pane holds it.
inline std::string paneLine(const std::string& text) { return withPaneLineEnd(text); }

inline constexpr const char* kSeparator = "----------------------------------------------------\n";
inline std::string bannerLine(const std::string& qualifiedName) {
    return logLine("#############[" + qualifiedName + "]#############\n");
}

}  // namespace tessorin::testing
