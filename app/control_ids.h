#pragma once
// Control ids of dialog template 102 and of the configured panel. The rows the
// operator works with are in control_rows.h, by these names.

namespace tessorin {

inline constexpr int kMainDialogTemplateId = 102;
inline constexpr int kAppIconId = 128;

inline constexpr int kUnnamedControlId = -1;

// Files and download.
inline constexpr int kSelectRomButtonId = 1000;
inline constexpr int kSelectIniButtonId = 1001;
inline constexpr int kRomPathLabelId = 1002;
inline constexpr int kDownloadButtonId = 1003;
inline constexpr int kIniPathLabelId = 1005;
inline constexpr int kLogPaneId = 1006;
inline constexpr int kDragHintLabelId = 1044;

// The RF group: label, value control and button of each row.
inline constexpr int kFrequencyLabelId = 1018;  // also the left edge of the configured panel
inline constexpr int kFrequencyComboId = 1019;
inline constexpr int kFrequencyButtonId = 1015;
inline constexpr int kModulationRateLabelId = 1030;
inline constexpr int kModulationRateComboId = 1020;
inline constexpr int kModulationRateButtonId = 1021;
inline constexpr int kTxRxLabelId = 1037;
inline constexpr int kTxRxComboId = 1022;
inline constexpr int kTxRxButtonId = 1023;
inline constexpr int kBtBleLabelId = 1031;
inline constexpr int kBtBleComboId = 1024;
inline constexpr int kBtBleButtonId = 1025;
inline constexpr int kCarrierDataLabelId = 1045;
inline constexpr int kCarrierDataComboId = 1026;
inline constexpr int kCarrierDataButtonId = 1027;
inline constexpr int kDataLengthLabelId = 1046;
inline constexpr int kDataLengthComboId = 1028;
inline constexpr int kDataLengthButtonId = 1029;
inline constexpr int kFreqHopFixLabelId = 1034;
inline constexpr int kFreqHopFixComboId = 1032;
inline constexpr int kFreqHopFixButtonId = 1033;
inline constexpr int kRfGroupBoxId = 1048;  // its bottom edge places the configured panel

// Hidden rows: 2.4G frequency test, chip type, frequency offset and power.
inline constexpr int kFrequency24gLabelId = 1047;
inline constexpr int kFrequency24gComboId = 1036;
inline constexpr int kSetFrequencyButtonId = 1016;
inline constexpr int kChipTypeComboId = 1040;
inline constexpr int kFreqOffsetLabelId = 1035;
inline constexpr int kFreqOffsetEditId = 1004;
inline constexpr int kFreqOffsetButtonId = 1038;
inline constexpr int kPowerLabelId = 1042;
inline constexpr int kPowerComboId = 1039;
inline constexpr int kPowerButtonId = 1041;

// Configured row i has label 1124 + i, combo box 1224 + i and button 1324 + i.
inline constexpr int kConfiguredLabelBaseId = 1124;
inline constexpr int kConfiguredComboBaseId = 1224;
inline constexpr int kConfiguredButtonBaseId = 1324;

}  // namespace tessorin
