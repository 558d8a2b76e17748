#include "app/dialog_template.h"

#include "app/control_ids.h"
#include "base/program_version.h"

namespace tessorin {
namespace {

ControlStyle pushButton() {
    ControlStyle s;
    s.tabStop = true;
    return s;
}

ControlStyle comboBox() {
    ControlStyle s;
    s.dropDown = true;
    s.tabStop = true;
    return s;
}

ControlStyle staticText(TextAlignment alignment, bool sunken = false) {
    ControlStyle s;
    s.alignment = alignment;
    s.sunken = sunken;
    return s;
}

ControlStyle pathLabel() {
    ControlStyle s;
    s.sunken = true;
    s.pathEllipsis = true;
    return s;
}

ControlStyle logPane() {
    ControlStyle s;
    s.border = true;
    s.readOnlyMultilinePane = true;
    return s;
}

ControlStyle offsetEdit() {
    ControlStyle s;
    s.border = true;
    s.autoHorizontalScroll = true;
    return s;
}

TemplateControl button(int id, const char* text, DialogUnitRect rect, bool visible = true) {
    return {id, ControlKind::PushButton, text, rect, pushButton(), visible};
}

TemplateControl combo(int id, DialogUnitRect rect, bool visible = true) {
    return {id, ControlKind::ComboBox, "", rect, comboBox(), visible};
}

TemplateControl label(int id, const char* text, DialogUnitRect rect, TextAlignment alignment, bool visible = true) {
    return {id, ControlKind::Static, text, rect, staticText(alignment), visible};
}

TemplateControl groupBox(int id, const char* text, DialogUnitRect rect, bool visible) {
    return {id, ControlKind::GroupBox, text, rect, {}, visible};
}

constexpr auto L = TextAlignment::Left;
constexpr auto R = TextAlignment::Right;
constexpr bool kHidden = false;

DialogTemplate buildMainDialogTemplate() {
    DialogTemplate t;
    t.resourceId = kMainDialogTemplateId;
    t.caption = programCaption();
    t.width = 553;
    t.height = 347;
    t.fontFace = "MS Shell Dlg";
    t.fontPointSize = 9;
    t.controls = {
        button(kSelectRomButtonId, "Select ROM", {14, 40, 46, 14}),
        {kRomPathLabelId, ControlKind::Static, "", {56, 63, 193, 26}, staticText(L, true), true},
        button(kDownloadButtonId, "Download", {74, 40, 50, 14}),
        label(kUnnamedControlId, "ROM Path\xEF\xBC\x9A", {15, 64, 39, 8}, L),  // full-width colon U+FF1A
        {kLogPaneId, ControlKind::Edit, "", {7, 103, 306, 238}, logPane(), true},
        label(kFrequencyLabelId, "Frequency", {334, 27, 85, 8}, R),
        combo(kFrequencyComboId, {430, 27, 48, 129}),
        button(kFrequencyButtonId, "SELECT", {480, 27, 37, 14}),
        label(kModulationRateLabelId, "ModulationRate", {334, 43, 85, 8}, R),
        combo(kModulationRateComboId, {430, 43, 48, 126}),
        button(kModulationRateButtonId, "SELECT", {480, 43, 37, 14}),
        label(kTxRxLabelId, "TX/RX", {334, 60, 85, 8}, R),
        combo(kTxRxComboId, {430, 60, 48, 126}),
        button(kTxRxButtonId, "SELECT", {480, 60, 37, 14}),
        label(kBtBleLabelId, "RF Mode", {334, 81, 85, 8}, R),
        combo(kBtBleComboId, {430, 77, 48, 136}),
        button(kBtBleButtonId, "SELECT", {480, 75, 37, 14}),
        label(kCarrierDataLabelId, "Carrier/data", {334, 97, 85, 8}, R),
        combo(kCarrierDataComboId, {430, 93, 48, 121}),
        button(kCarrierDataButtonId, "SELECT", {480, 91, 37, 14}),
        label(kDataLengthLabelId, "Data Length", {334, 112, 85, 8}, R),
        combo(kDataLengthComboId, {430, 110, 48, 108}),
        button(kDataLengthButtonId, "SELECT", {480, 108, 37, 14}),
        combo(kFreqHopFixComboId, {430, 127, 48, 110}),
        button(kFreqHopFixButtonId, "SELECT", {480, 127, 37, 14}),
        label(kFreqHopFixLabelId, "Freq hop/fix", {334, 130, 85, 8}, R),
        groupBox(kRfGroupBoxId, "", {348, 14, 177, 130}, true),
        groupBox(kUnnamedControlId, "2.4G Frequency Test", {367, 275, 151, 44}, kHidden),
        label(kFrequency24gLabelId, "Frequency", {370, 292, 34, 8}, L, kHidden),
        combo(kFrequency24gComboId, {424, 292, 48, 129}, kHidden),
        button(kSetFrequencyButtonId, "SELECT", {474, 291, 37, 14}, kHidden),
        combo(kChipTypeComboId, {260, 68, 48, 129}, kHidden),
        label(kUnnamedControlId, "chip type", {263, 72, 31, 8}, L, kHidden),
        label(kFreqOffsetLabelId, "Frequency Offset", {347, 244, 85, 8}, R, kHidden),
        {kFreqOffsetEditId, ControlKind::Edit, "", {443, 240, 46, 14}, offsetEdit(), kHidden},
        button(kFreqOffsetButtonId, "SET", {493, 240, 37, 14}, kHidden),
        combo(kPowerComboId, {443, 258, 48, 110}, kHidden),
        button(kPowerButtonId, "SELECT", {493, 258, 37, 14}, kHidden),
        label(kPowerLabelId, "Power", {347, 262, 85, 8}, R, kHidden),
        button(kSelectIniButtonId, "Select INI", {265, 14, 46, 14}),
        {kIniPathLabelId, ControlKind::Static, "", {22, 10, 227, 18}, pathLabel(), true},
        {kDragHintLabelId, ControlKind::Static, "", {133, 35, 168, 22}, staticText(L, true), true},
    };
    return t;
}

}  // namespace

const DialogTemplate& mainDialogTemplate() {
    static const DialogTemplate instance = buildMainDialogTemplate();
    return instance;
}

}  // namespace tessorin
