#pragma once
// The configured controls of section ext: label, combo box and button, each
// button writing the chosen value to its register.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/combo_def.h"
#include "config/profile_read.h"

namespace tessorin {

constexpr const char* kExtPrefix = "ext";  // also the section name
constexpr const char* kExtCountKey = "ext_count";
// Suffix words in the order they are read.
constexpr std::array<std::string_view, 7> kExtSuffixWords = {
    "combox", "value", "init_select_index", "title", "button", "addr", "parse_value_by_string"};
// A huge ext_count would read for hours and build more windows than the system
// allows; a count beyond this loads no configured controls.
constexpr int32_t kMaxExtControls = 1024;
// A control id not yet assigned by the window.
constexpr int kNoControlId = 0;

// "ext" + decimal number + "_" + suffix, e.g. ext1_combox.
std::string formatExtKey(int number, std::string_view suffix);

class ExtControlDef {
public:
    ExtControlDef(ComboDef combo, std::string title, std::string button, std::string addr);

    const ComboDef& combo() const { return combo_; }
    const std::string& title() const { return title_; }
    const std::string& button() const { return button_; }
    const std::string& addr() const { return addr_; }

    // The window's controls for this record, by control id.
    int labelControlId() const { return labelId_; }
    int comboControlId() const { return comboId_; }
    int buttonControlId() const { return buttonId_; }
    void setControlIds(int labelId, int comboId, int buttonId);
    void clearControlIds() { setControlIds(kNoControlId, kNoControlId, kNoControlId); }

private:
    ComboDef combo_;
    std::string title_;
    std::string button_;
    std::string addr_;
    int labelId_ = kNoControlId;
    int comboId_ = kNoControlId;
    int buttonId_ = kNoControlId;
};

using ExtControlList = std::vector<std::shared_ptr<ExtControlDef>>;

class ExtControlSet {
public:
    ExtControlSet() = default;
    // Reads ext_count and every key of every control (each logged as
    // "key:%s\tvalue:%s\n"), then builds the controls.
    explicit ExtControlSet(const ProfileReader& profile);

    const std::string& countText() const { return countText_; }
    int32_t count() const { return count_; }
    const std::string& iniPath() const { return iniPath_; }
    // The text read for a formed key; "" for a key that was not read.
    const std::string& keyText(const std::string& key) const;
    const std::unordered_map<std::string, std::string>& keyMap() const { return keyMap_; }
    const ExtControlList& controls() const { return controls_; }

private:
    // One control's entries of keyMap_, in the order of kExtSuffixWords.
    using ControlKeys = std::array<const std::pair<const std::string, std::string>*, kExtSuffixWords.size()>;
    std::vector<ControlKeys> readKeys(const ProfileReader& profile);
    void buildControls(const std::vector<ControlKeys>& controlKeys);

    std::string countText_;
    int32_t count_ = 0;
    std::string iniPath_;
    std::unordered_map<std::string, std::string> keyMap_;
    ExtControlList controls_;
};

}  // namespace tessorin
