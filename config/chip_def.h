#pragma once
// The chip described by section chip_impl: parameter register addresses,
// frequency drift and power.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/profile_read.h"

namespace tessorin {

constexpr const char* kChipSection = "chip_impl";
constexpr const char* kChipKeyPrefix = "chip_";
constexpr size_t kChipAddressParamCount = 7;  // parameters 0 to 6
constexpr size_t kAddressFlagCount = 9;       // the seven addresses, drift, power

class ChipDef {
public:
    // The keys of section chip_impl, in table order.
    enum class Key : size_t {
        type, freqAddr, modRateAddr, txRxAddr, btBleAddr, carrierDataAddr, dataLengthAddr, freqFixHopAddr,
        freqDriftAddr, freqDriftPre, freqDriftRange, freqDriftPost, powerAddr, powerValue, count
    };
    // "chip_" + the key word, e.g. chip_freq_addr.
    static const std::string& keyName(Key key);

    // Nothing loaded: every flag off, every text empty.
    ChipDef() = default;
    // Loads from the file under the record guard; an error ends the load and
    // the fields set before it keep their values.
    explicit ChipDef(const ProfileReader& profile);

    // The value of a full key name in section chip_impl, read from the file now.
    std::string readChipKey(std::string_view key) const;
    // The address text of parameter 0 to 6 as the file holds it at this moment;
    // any other index reads parameter 0.
    std::string paramAddressText(int parameterIndex) const;

    // Availability of the seven parameters, then drift, then power. Fewer than
    // nine when the load ended early.
    std::vector<bool> addressValidFlags() const { return addressValid_; }
    std::string chipType() const { return chipType_; }
    const std::string& iniPath() const { return iniPath_; }

    bool freqDriftSupported() const { return freqDriftSupported_; }
    int32_t freqDriftMin() const { return freqDriftMin_; }
    int32_t freqDriftMax() const { return freqDriftMax_; }
    const std::string& freqDriftPre() const { return freqDriftPre_; }
    const std::string& freqDriftPost() const { return freqDriftPost_; }
    // chip_freq_drift_range as read, brackets removed once it was parsed.
    const std::string& freqDriftRangeText() const { return freqDriftRangeText_; }

    bool powerSupported() const { return powerSupported_; }
    std::vector<std::string> powerAddrs() const { return powerAddrs_; }
    // Row i holds the value text of every power level for register i.
    std::vector<std::vector<std::string>> powerValueTable() const { return powerValueTable_; }

private:
    void load(const ProfileReader& profile);
    void loadFreqDrift(const ProfileReader& profile);
    void loadPower(const ProfileReader& profile);

    std::vector<bool> addressValid_;
    std::string iniPath_;
    std::string freqDriftRangeText_;
    std::string chipType_;
    bool freqDriftSupported_ = false;
    std::string freqDriftPre_;
    std::string freqDriftPost_;
    int32_t freqDriftMin_ = 0;
    int32_t freqDriftMax_ = 0;
    bool powerSupported_ = false;
    std::vector<std::string> powerAddrs_;
    std::vector<std::vector<std::string>> powerValueTable_;
};

}  // namespace tessorin
