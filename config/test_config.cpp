#include "config/test_config.h"

#include <stdexcept>

#include "config/ini_path.h"

namespace tessorin {

TestConfig::TestConfig(std::array<ComboDef, kRfParamCount> rfCombos, ChipDef chip, ExtControlSet extControls)
    : rfCombos_(std::move(rfCombos)), chip_(std::move(chip)), extControls_(std::move(extControls)) {}

const ComboDef& TestConfig::rfCombo(int index) const {
    if (index < 0 || index >= kRfParamCount) throw std::out_of_range("RF parameter index outside 0 to 7");
    return rfCombos_[static_cast<size_t>(index)];
}

std::unique_ptr<TestConfig> loadTestConfig(const ProfileReader& profile) {
    std::array<ComboDef, kRfParamCount> rfCombos;
    for (int index = 0; index < kRfParamCount; ++index)
        rfCombos[static_cast<size_t>(index)] =
            ComboDef::loadRfParameter(profile, rfParamNames[static_cast<size_t>(index)], kRfSection);
    ChipDef chip(profile);
    ExtControlSet extControls(profile);
    return std::make_unique<TestConfig>(std::move(rfCombos), std::move(chip), std::move(extControls));
}

std::unique_ptr<TestConfig> loadTestConfig(const std::string& iniPath) {
    requireReadableIni(iniPath);
    return loadTestConfig(*openProfileForLoad(iniPath));
}

}  // namespace tessorin
