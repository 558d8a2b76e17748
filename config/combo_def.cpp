#include "config/combo_def.h"

#include <charconv>
#include <iterator>
#include <stdexcept>

#include "base/numbers.h"
#include "config/keyed_lists.h"
#include "config/record_guard.h"

namespace tessorin {

ComboDef ComboDef::loadRfParameter(const ProfileReader& profile, std::string_view stem, std::string_view section) {
    ComboDef combo;
    combo.section_ = section;
    combo.iniPath_ = profile.iniPath();
    combo.baseKey_ = stem;
    combo.comboKey_ = combo.baseKey_ + "_combox";
    combo.valueKey_ = combo.baseKey_ + "_value";
    combo.initIndexKey_ = combo.baseKey_ + "_init_select_index";
    std::string initIndexText = profile.readString(section, combo.initIndexKey_);
    std::string valueText = profile.readString(section, combo.valueKey_);
    std::string comboText = profile.readString(section, combo.comboKey_);
    runRecordGuarded([&] {
        combo.displayTexts_ = expandTextListOfKey(combo.comboKey_, comboText);
        combo.numericValues_ = expandNumberListOfKey(combo.valueKey_, valueText);
        combo.initSelectIndex_ = parseNumber(initIndexText);
    });
    return combo;
}

ComboDef ComboDef::loadConfigured(std::string_view comboKey, std::string_view comboText, std::string_view valueKey,
                                  std::string_view valueText, std::string_view initIndexText, bool valuesAreText) {
    ComboDef combo;
    runRecordGuarded([&] {
        combo.valuesAreText_ = valuesAreText;
        combo.displayTexts_ = expandTextListOfKey(comboKey, comboText);
        if (valuesAreText) combo.textValues_ = expandTextListOfKey(valueKey, valueText);
        else combo.numericValues_ = expandNumberListOfKey(valueKey, valueText);
        combo.initSelectIndex_ = parseNumber(initIndexText);
    });
    return combo;
}

std::string ComboDef::valueText(int index) const {
    if (index < 0) throw std::out_of_range("combo value index below 0");
    size_t at = static_cast<size_t>(index);
    if (valuesAreText_) return textValues_.at(at);
    char digits[8];
    const auto written = std::to_chars(digits, std::end(digits), numericValues_.at(at), 16);
    return std::string(digits, written.ptr);
}

}  // namespace tessorin
