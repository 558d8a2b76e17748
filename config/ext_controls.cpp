#include "config/ext_controls.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>

#include "base/format.h"
#include "base/numbers.h"
#include "report/log.h"

namespace tessorin {
namespace {

constexpr size_t suffixIndex(std::string_view word) {
    size_t index = 0;
    while (kExtSuffixWords[index] != word) ++index;
    return index;
}

constexpr size_t kCombo = suffixIndex("combox");
constexpr size_t kValue = suffixIndex("value");
constexpr size_t kInitIndex = suffixIndex("init_select_index");
constexpr size_t kTitle = suffixIndex("title");
constexpr size_t kButton = suffixIndex("button");
constexpr size_t kAddr = suffixIndex("addr");
constexpr size_t kValuesAreText = suffixIndex("parse_value_by_string");

}  // namespace

// Formed in place, at most one allocation: a load forms seven keys per control, up to 7168 of them.
std::string formatExtKey(int number, std::string_view suffix) {
    char digits[12];
    const auto written = std::to_chars(digits, std::end(digits), number);
    const std::string_view prefix(kExtPrefix);
    std::string key;
    key.reserve(prefix.size() + static_cast<size_t>(written.ptr - digits) + 1 + suffix.size());
    key.append(prefix).append(digits, written.ptr).append(1, '_').append(suffix);
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
    buildControls(readKeys(profile));
}

const std::string& ExtControlSet::keyText(const std::string& key) const {
    static const std::string notRead;
    auto found = keyMap_.find(key);
    return found == keyMap_.end() ? notRead : found->second;
}

std::vector<ExtControlSet::ControlKeys> ExtControlSet::readKeys(const ProfileReader& profile) {
    std::vector<ControlKeys> controlKeys(static_cast<size_t>(std::max(count_, 0)));
    keyMap_.reserve(controlKeys.size() * kExtSuffixWords.size());
    for (size_t control = 0; control < controlKeys.size(); ++control) {
        for (size_t word = 0; word < kExtSuffixWords.size(); ++word) {
            std::string key = formatExtKey(static_cast<int>(control) + 1, kExtSuffixWords[word]);
            std::string text = profile.readLong(kExtPrefix, key);
            if (logWanted()) writeLog(formatText("key:%s\tvalue:%s\n", {key, text}));
            // Each key is formed once, and map entries stay where they are as the map grows.
            controlKeys[control][word] = &*keyMap_.insert_or_assign(std::move(key), std::move(text)).first;
        }
    }
    return controlKeys;
}

void ExtControlSet::buildControls(const std::vector<ControlKeys>& controlKeys) {
    for (const ControlKeys& keys : controlKeys) {
        auto key = [&](size_t word) -> std::string_view { return keys[word]->first; };
        auto text = [&](size_t word) -> const std::string& { return keys[word]->second; };
        bool valuesAreText = leadingInteger(text(kValuesAreText), 10) == 1;
        ComboDef combo = ComboDef::loadConfigured(key(kCombo), text(kCombo), key(kValue), text(kValue),
                                                  text(kInitIndex), valuesAreText);
        controls_.push_back(std::make_shared<ExtControlDef>(std::move(combo), text(kTitle), text(kButton), text(kAddr)));
    }
}

}  // namespace tessorin
