#pragma once
// One combo box as the INI file describes it: its texts, the value behind each
// text, and the entry selected at load.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/profile_read.h"

namespace tessorin {

class ComboDef {
public:
    ComboDef() = default;

    // An RF parameter of section common: reads stem_init_select_index,
    // stem_value and stem_combox, then expands them under the record guard.
    static ComboDef loadRfParameter(const ProfileReader& profile, std::string_view stem, std::string_view section);
    // A configured control, from texts already read; under the record guard.
    // comboKey and valueKey name the keys in the error of an over-long list.
    static ComboDef loadConfigured(std::string_view comboKey, std::string_view comboText, std::string_view valueKey,
                                   std::string_view valueText, std::string_view initIndexText, bool valuesAreText);

    std::vector<std::string> displayTexts() const { return displayTexts_; }
    uint32_t initSelectIndex() const { return initSelectIndex_; }
    std::vector<uint32_t> numericValues() const { return numericValues_; }
    std::vector<std::string> textValues() const { return textValues_; }
    bool valuesAreText() const { return valuesAreText_; }

    // The entries valueText answers for, without a copy of the list.
    size_t valueCount() const { return valuesAreText_ ? textValues_.size() : numericValues_.size(); }
    // Entry index of the values as text: the text value itself, or the number
    // in lowercase hexadecimal without prefix. std::out_of_range outside the list.
    std::string valueText(int index) const;

    const std::string& iniPath() const { return iniPath_; }
    const std::string& section() const { return section_; }
    // Empty for configured controls.
    const std::string& baseKey() const { return keys().base; }
    const std::string& comboKey() const { return keys().combo; }
    const std::string& valueKey() const { return keys().value; }
    const std::string& initIndexKey() const { return keys().initIndex; }

private:
    std::string iniPath_;
    std::vector<std::string> displayTexts_;
    std::vector<uint32_t> numericValues_;
    std::vector<std::string> textValues_;
    uint32_t initSelectIndex_ = 0;
    // A stem's keys, formed once for every load that reads it and never freed.
    struct StemKeys {
        std::string base, combo, value, initIndex;
    };
    static const StemKeys& keysOfStem(std::string_view stem);
    const StemKeys& keys() const;
    const StemKeys* keys_ = nullptr;
    bool valuesAreText_ = false;
    std::string section_;
};

}  // namespace tessorin
