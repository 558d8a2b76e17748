#pragma once
// Control ids of dialog template 102 and of the configured panel.

namespace tessorin {

inline constexpr int kMainDialogTemplateId = 102;
inline constexpr int kAppIconId = 128;

inline constexpr int kUnnamedControlId = -1;
inline constexpr int kSelectRomButtonId = 1000;
inline constexpr int kSelectIniButtonId = 1001;
inline constexpr int kRomPathLabelId = 1002;
inline constexpr int kDownloadButtonId = 1003;
inline constexpr int kIniPathLabelId = 1005;
inline constexpr int kLogPaneId = 1006;
inline constexpr int kFrequencyLabelId = 1018;  // also the left edge of the configured panel
inline constexpr int kRfGroupBoxId = 1048;      // its bottom edge places the configured panel
inline constexpr int kDragHintLabelId = 1044;

// Configured row i has label 1124 + i, combo box 1224 + i and button 1324 + i.
inline constexpr int kConfiguredLabelBaseId = 1124;
inline constexpr int kConfiguredComboBaseId = 1224;
inline constexpr int kConfiguredButtonBaseId = 1324;

}  // namespace tessorin
