#include "config/ext_controls.h"

#include <string>

#include "base/format.h"
#include "base/numbers.h"
#include "report/log.h"

namespace tessorin {

// Plain concatenation: a load forms seven keys per control twice, up to 14336 of them.
std::string formatExtKey(int number, std::string_view suffix) {
    std::string key = kExtPrefix + std::to_string(number) + '_';
    key += suffix;
    return key;
}

ExtControlDef::ExtControlDef(ComboDef combo, std::string title, std::string button, std::string addr)
    : combo_(std::move(combo)), title_(std::move(title)), button_(std::move(button)), addr_(std::move(addr)) {}

void ExtControlDef::setControlIds(int labelId, int comboId, int buttonId) {
    labelId_ = labelId;
    comboId_ = comboId;
    buttonId_ = buttonId;
}

ExtControlSet::ExtControlSet(const ProfileReader& profile) : iniPath_(profile.iniPath()) {
    countText_ = profile.readLong(kExtPrefix, kExtCountKey);
    count_ = leadingInteger(countText_, 10);
    if (count_ > kMaxExtControls) {
        writeLog(formatText("ext_count %d is more than the %d configured controls supported; none is loaded\n",
                            {count_, kMaxExtControls}));
        return;
    }
    readKeys(profile);
    buildControls();
}

std::string ExtControlSet::keyText(const std::string& key) const {
    auto found = keyMap_.find(key);
    return found == keyMap_.end() ? std::string() : found->second;
}

void ExtControlSet::readKeys(const ProfileReader& profile) {
    for (int number = 1; number <= count_; ++number) {
        for (std::string_view suffix : kExtSuffixWords) {
            std::string key = formatExtKey(number, suffix);
            std::string text = profile.readLong(kExtPrefix, key);
            if (logWanted()) writeLog(formatText("key:%s\tvalue:%s\n", {key, text}));
            keyMap_[key] = std::move(text);
        }
    }
}

void ExtControlSet::buildControls() {
    if (keyMap_.empty() || count_ < 1) return;
    for (int number = 1; number <= count_; ++number) {
        auto text = [&](std::string_view suffix) { return keyText(formatExtKey(number, suffix)); };
        bool valuesAreText = leadingInteger(text("parse_value_by_string"), 10) == 1;
        ComboDef combo = ComboDef::loadConfigured(formatExtKey(number, "combox"), text("combox"),
                                                  formatExtKey(number, "value"), text("value"),
                                                  text("init_select_index"), valuesAreText);
        controls_.push_back(
            std::make_shared<ExtControlDef>(std::move(combo), text("title"), text("button"), text("addr")));
    }
}

}  // namespace tessorin
