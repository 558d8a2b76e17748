#include "config/chip_def.h"

#include <algorithm>
#include <array>

#include "base/numbers.h"
#include "config/keyed_lists.h"
#include "config/profile_read.h"
#include "config/record_guard.h"
#include "config/value_lists.h"

namespace tessorin {
namespace {

constexpr std::array<std::string_view, static_cast<size_t>(ChipDef::Key::count)> kKeyWords = {
    "type",          "freq_addr",       "mod_rate_addr",  "tx_rx_addr",       "bt_ble_addr",
    "carrier_data_addr", "data_length_addr", "freq_fix_hop_addr", "freq_drift_addr", "freq_drift_pre",
    "freq_drift_range", "freq_drift_post", "power_addr",     "power_value"};

bool contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }

// Parameter 0 to 6; any other index names parameter 0.
ChipDef::Key paramAddressKey(int parameterIndex) {
    bool known = parameterIndex >= 0 && parameterIndex < static_cast<int>(kChipAddressParamCount);
    size_t offset = known ? static_cast<size_t>(parameterIndex) : 0;
    return static_cast<ChipDef::Key>(static_cast<size_t>(ChipDef::Key::freqAddr) + offset);
}

std::string readKey(const ProfileReader& profile, ChipDef::Key key) {
    return profile.readString(kChipSection, ChipDef::keyName(key));
}

}  // namespace

const std::string& ChipDef::keyName(Key key) {
    // Formed once: every load reads each key, and the window reads some again at each press.
    static const auto names = [] {
        std::array<std::string, kKeyWords.size()> full;
        for (size_t i = 0; i < full.size(); ++i) full[i] = std::string(kChipKeyPrefix) + std::string(kKeyWords[i]);
        return full;
    }();
    return names.at(static_cast<size_t>(key));
}

ChipDef::ChipDef(const ProfileReader& profile) : iniPath_(profile.iniPath()) {
    runRecordGuarded([&] { load(profile); });
}

std::string ChipDef::readChipKey(std::string_view key) const { return readProfileString(kChipSection, key, iniPath_); }

std::string ChipDef::paramAddressText(int parameterIndex) const {
    return readChipKey(keyName(paramAddressKey(parameterIndex)));
}

void ChipDef::load(const ProfileReader& profile) {
    chipType_ = readKey(profile, Key::type);
    for (int parameter = 0; parameter < static_cast<int>(kChipAddressParamCount); ++parameter)
        addressValid_.push_back(isNonZeroNumber(readKey(profile, paramAddressKey(parameter))));
    loadFreqDrift(profile);
    loadPower(profile);
}

void ChipDef::loadFreqDrift(const ProfileReader& profile) {
    if (!isNonZeroNumber(readKey(profile, Key::freqDriftAddr))) {
        addressValid_.push_back(false);
        return;
    }
    addressValid_.push_back(true);
    freqDriftSupported_ = true;
    freqDriftPre_ = readKey(profile, Key::freqDriftPre);
    freqDriftRangeText_ = readKey(profile, Key::freqDriftRange);
    if (contains(freqDriftRangeText_, '[') && contains(freqDriftRangeText_, ']') && contains(freqDriftRangeText_, ',')) {
        std::erase_if(freqDriftRangeText_, [](char c) { return c == '[' || c == ']'; });
        std::vector<std::string> bounds = splitList(freqDriftRangeText_, ',');
        // "[,5]" leaves one piece only; such a range stays 0 to 0 like any other malformed one.
        if (bounds.size() >= 2) {
            freqDriftMin_ = leadingInteger(bounds[0], 16);
            freqDriftMax_ = leadingInteger(bounds[1], 16);
        }
    }
    freqDriftPost_ = readKey(profile, Key::freqDriftPost);
}

void ChipDef::loadPower(const ProfileReader& profile) {
    std::string addressText = readKey(profile, Key::powerAddr);
    if (!isNonZeroNumber(addressText)) {
        addressValid_.push_back(false);
        return;
    }
    addressValid_.push_back(true);
    powerSupported_ = true;
    powerAddrs_ = expandTextListOfKey(keyName(Key::powerAddr), addressText);
    std::vector<std::string> values = expandTextListOfKey(keyName(Key::powerValue), readKey(profile, Key::powerValue));
    size_t registers = powerAddrs_.size();
    if (registers == 0) return;
    size_t perRegister = values.size() / registers;
    for (size_t i = 0; i < registers; ++i) {
        auto first = values.begin() + static_cast<std::ptrdiff_t>(i * perRegister);
        powerValueTable_.emplace_back(first, first + static_cast<std::ptrdiff_t>(perRegister));
    }
}

}  // namespace tessorin
