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

}  // namespace

std::string ChipDef::keyName(Key key) {
    return std::string(kChipKeyPrefix) + std::string(kKeyWords.at(static_cast<size_t>(key)));
}

ChipDef::ChipDef(const std::string& iniPath) : iniPath_(iniPath) {
    runRecordGuarded([this] { load(); });
}

std::string ChipDef::readChipKey(std::string_view key) const { return readProfileString(kChipSection, key, iniPath_); }

std::string ChipDef::paramAddressText(int parameterIndex) const {
    bool known = parameterIndex >= 0 && parameterIndex < static_cast<int>(kChipAddressParamCount);
    size_t offset = known ? static_cast<size_t>(parameterIndex) : 0;
    return readKey(static_cast<Key>(static_cast<size_t>(Key::freqAddr) + offset));
}

void ChipDef::load() {
    chipType_ = readKey(Key::type);
    for (int parameter = 0; parameter < static_cast<int>(kChipAddressParamCount); ++parameter)
        addressValid_.push_back(isNonZeroNumber(paramAddressText(parameter)));
    loadFreqDrift();
    loadPower();
}

void ChipDef::loadFreqDrift() {
    if (!isNonZeroNumber(readKey(Key::freqDriftAddr))) {
        addressValid_.push_back(false);
        return;
    }
    addressValid_.push_back(true);
    freqDriftSupported_ = true;
    freqDriftPre_ = readKey(Key::freqDriftPre);
    freqDriftRangeText_ = readKey(Key::freqDriftRange);
    if (contains(freqDriftRangeText_, '[') && contains(freqDriftRangeText_, ']') && contains(freqDriftRangeText_, ',')) {
        std::erase_if(freqDriftRangeText_, [](char c) { return c == '[' || c == ']'; });
        std::vector<std::string> bounds = splitList(freqDriftRangeText_, ',');
        // "[,5]" leaves one piece only; such a range stays 0 to 0 like any other malformed one.
        if (bounds.size() >= 2) {
            freqDriftMin_ = leadingInteger(bounds[0], 16);
            freqDriftMax_ = leadingInteger(bounds[1], 16);
        }
    }
    freqDriftPost_ = readKey(Key::freqDriftPost);
}

void ChipDef::loadPower() {
    std::string addressText = readKey(Key::powerAddr);
    if (!isNonZeroNumber(addressText)) {
        addressValid_.push_back(false);
        return;
    }
    addressValid_.push_back(true);
    powerSupported_ = true;
    powerAddrs_ = expandTextListOfKey(keyName(Key::powerAddr), addressText);
    std::vector<std::string> values = expandTextListOfKey(keyName(Key::powerValue), readKey(Key::powerValue));
    size_t registers = powerAddrs_.size();
    if (registers == 0) return;
    size_t perRegister = values.size() / registers;
    for (size_t i = 0; i < registers; ++i) {
        auto first = values.begin() + static_cast<std::ptrdiff_t>(i * perRegister);
        powerValueTable_.emplace_back(first, first + static_cast<std::ptrdiff_t>(perRegister));
    }
}

}  // namespace tessorin
