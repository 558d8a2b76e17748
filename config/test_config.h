#pragma once
// The model of one INI file: eight RF parameter combos, the chip and the
// configured controls.
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/chip_def.h"
#include "config/combo_def.h"
#include "config/config_error.h"
#include "config/ext_controls.h"
#include "config/profile_read.h"

namespace tessorin {

enum RfParam : int {
    rfFreq, rfModulationRate, rfTxRx, rfBtBle, rfCarrierData, rfDataLength, rfFreqHopOrFix, rfPower,
    kRfParamCount
};

constexpr const char* kRfSection = "common";
constexpr std::array<std::string_view, kRfParamCount> rfParamNames = {
    "freq", "modulation_rate", "tx_rx", "bt_ble", "carrier_data", "data_length", "freq_hop_or_fix", "power"};

class TestConfig {
public:
    TestConfig(std::array<ComboDef, kRfParamCount> rfCombos, ChipDef chip, ExtControlSet extControls);

    // Index 0 to 7 (RfParam); std::out_of_range beyond.
    const ComboDef& rfCombo(int index) const;
    const ChipDef& chip() const { return chip_; }
    const ExtControlSet& extControlSet() const { return extControls_; }
    // A copy of the list; the records themselves are shared.
    ExtControlList extControls() const { return extControls_.controls(); }
    std::vector<bool> addressValidFlags() const { return chip_.addressValidFlags(); }
    std::string chipType() const { return chip_.chipType(); }

private:
    std::array<ComboDef, kRfParamCount> rfCombos_;
    ChipDef chip_;
    ExtControlSet extControls_;
};

// Raises ConfigError ("iniPath不能为空!\n", "ini文件[path]不存在", or a file that
// cannot be read) before anything is loaded; every later error ends only its record.
std::unique_ptr<TestConfig> loadTestConfig(const std::string& iniPath);
// The same, every key read through profile; the test of the file is the caller's.
std::unique_ptr<TestConfig> loadTestConfig(const ProfileReader& profile);

}  // namespace tessorin
