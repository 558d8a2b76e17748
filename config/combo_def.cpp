#include "config/combo_def.h"

#include <charconv>
#include <iterator>
#include <map>
#include <mutex>
#include <stdexcept>

#include "base/numbers.h"
#include "config/keyed_lists.h"
#include "config/record_guard.h"

namespace tessorin {

ComboDef ComboDef::loadRfParameter(const ProfileReader& profile, std::string_view stem, std::string_view section) {
    ComboDef combo;
    combo.section_ = section;
    combo.iniPath_ = profile.iniPath();
    combo.keys_ = &keysOfStem(stem);
    std::string initIndexText = profile.readString(section, combo.initIndexKey());
    std::string valueText = profile.readString(section, combo.valueKey());
    std::string comboText = profile.readString(section, combo.comboKey());
    runRecordGuarded([&] {
        combo.displayTexts_ = expandTextListOfKey(combo.comboKey(), comboText);
        combo.numericValues_ = expandNumberListOfKey(combo.valueKey(), valueText);
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

// Every load reads the same eight stems: their keys cost no allocation after the first load.
const ComboDef::StemKeys& ComboDef::keysOfStem(std::string_view stem) {
    static std::mutex guard;
    static std::map<std::string, StemKeys, std::less<>> formed;  // a map's entries stay where they are
    const std::lock_guard<std::mutex> lock(guard);
    auto found = formed.find(stem);
    if (found == formed.end()) {
        std::string base(stem);
        StemKeys keys{base, base + "_combox", base + "_value", base + "_init_select_index"};
        found = formed.emplace(std::move(base), std::move(keys)).first;
    }
    return found->second;
}

const ComboDef::StemKeys& ComboDef::keys() const {
    static const StemKeys none;
    return keys_ ? *keys_ : none;
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
