#include <climits>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "base/format.h"
#include "base/text.h"

namespace tessorin {
namespace {

constexpr int kRowHeight = 30;
constexpr int kPanelGapBelowGroup = 10;
constexpr int kOpenListHeight = 400;
constexpr int kListItemHeight = 20;

// The text without its last character (a whole UTF-8 sequence).
std::string_view withoutLastCharacter(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80) --end;
    return text.substr(0, end > 0 ? end - 1 : 0);
}

}  // namespace

void CBrevoxDownloadToolDlg::loadIniAndRebuildPanel(const std::string& path) {
    controls().setControlText(kIniPathLabelId, path);
    std::unique_ptr<TestConfig> previous;
    try {
        std::unique_ptr<TestConfig> loaded = loadTestConfig(path);
        previous = std::move(configuration);
        configuration = std::move(loaded);
    } catch (const ConfigError& failure) {
        // The previous configuration and panel stay; the operator reads why.
        writeLog(failure.text());
        appendLogPane(failure.text());
        return;
    }
    setCaptionSuffix(configuration->chipType());
    for (int i = 0; i < kRfParamCount; ++i) fillCombo(configuration->rfCombo(i), rfParameterComboId(i));
    enableRfRows(configuration->addressValidFlags());
    destroyConfiguredControls();
    previous.reset();
    configuredControls = configuration->extControls();
    buildConfiguredControls(configuredControls);
    for (const auto& record : configuredControls) fillCombo(record->combo(), record->comboControlId());
}

void CBrevoxDownloadToolDlg::fillCombo(const ComboDef& definition, int comboId) {
    WindowControls& c = controls();
    c.comboResetContent(comboId);
    for (const std::string& text : definition.displayTexts()) c.comboAddString(comboId, text);
    uint32_t index = definition.initSelectIndex();
    c.comboSetCurSel(comboId, index <= INT_MAX ? static_cast<int>(index) : -1);
}

void CBrevoxDownloadToolDlg::setCaptionSuffix(std::string_view text) {
    std::string caption = controls().windowCaption();
    std::string_view kept = caption;
    size_t bracket = kept.rfind('[');
    if (bracket != std::string_view::npos) kept = withoutLastCharacter(kept.substr(0, bracket));
    scratchText = formatText("%s [%s]", {kept, text});
    controls().setWindowCaption(scratchText);
}

void CBrevoxDownloadToolDlg::enableRfRows(const std::vector<bool>& flags) {
    for (size_t k = 0; k < flags.size() && k < rfRows.size(); ++k) {
        controls().enableControl(rfRows[k].valueControlId, flags[k]);
        controls().enableControl(rfRows[k].buttonId, flags[k]);
    }
}

void CBrevoxDownloadToolDlg::destroyConfiguredControls() {
    for (const auto& record : configuredControls) {
        controls().destroyControl(record->labelControlId());
        controls().destroyControl(record->comboControlId());
        controls().destroyControl(record->buttonControlId());
        record->clearControlIds();
    }
    configuredControls.clear();
}

void CBrevoxDownloadToolDlg::buildConfiguredControls(const ExtControlList& records) {
    if (records.empty()) return;
    WindowControls& c = controls();
    panelOrigin = {c.controlRect(kFrequencyLabelId).left, c.controlRect(kRfGroupBoxId).bottom + kPanelGapBelowGroup};
    for (size_t i = 0; i < records.size(); ++i) {
        ExtControlDef& record = *records[i];
        const int row = static_cast<int>(i);
        const int x = panelOrigin.x;
        const int y = panelOrigin.y + kRowHeight * row;
        const int labelId = kConfiguredLabelBaseId + row;
        const int comboId = kConfiguredComboBaseId + row;
        const int buttonId = kConfiguredButtonBaseId + row;
        c.createControl({ControlKind::Static, labelId, record.title(), {x, y, x + 180, y + kRowHeight}, true});
        c.createControl({ControlKind::ComboBox, comboId, "", {x + 190, y, x + 290, y + kRowHeight}, false});
        PixelRect created = c.controlRect(comboId);
        c.moveControl(comboId, {created.left, created.top, created.right, created.top + kOpenListHeight});
        c.comboSetItemHeight(comboId, kListItemHeight);
        c.createControl({ControlKind::PushButton, buttonId, record.button(), {x + 295, y, x + 375, y + kRowHeight}, false});
        record.setControlIds(labelId, comboId, buttonId);
    }
}

}  // namespace tessorin
