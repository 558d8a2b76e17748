#pragma once
// What the RF button commands need from the main window. The window implements
// this; the commands themselves live in rftest/ as free functions over it.
#include <array>
#include <string>

#include "app/control_ids.h"
#include "app/log.h"
#include "app/message_table.h"
#include "app/window_controls.h"
#include "config/ext_controls.h"

namespace tessorin {

class TestConfig;

class RfHost {
public:
    virtual ~RfHost() = default;
    virtual WindowControls& controls() = 0;
    virtual const MessageTable& messages() = 0;
    virtual LogPane& pane() = 0;
    // nullptr before the first INI file is loaded.
    virtual const TestConfig* configuration() = 0;
    // The configured panel in panel order, each record with its combo box id set.
    virtual ExtControlList configuredControls() = 0;
    virtual std::string& scratchText() = 0;
    virtual std::string& commandText() = 0;
    // True while a download worker owns the board link.
    virtual bool downloadBusy() = 0;
};

// The seven fixed SELECT rows, in parameter order (the index picks both the
// row's combo definition and its chip address key).
struct RfParameterRow {
    int index;
    const char* handlerName;
    int buttonId;
    int comboId;
    const char* label;
    const char* qualifiedName;
};

inline constexpr std::array<RfParameterRow, 7> kRfParameterRows = {{
    {0, "OnBnClickedButtonSelectFreq", 1015, 1019, "freq",
     "CBrevoxDownloadToolDlg::OnBnClickedButtonSelectFreq"},
    {1, "OnBnClickedButtonMrate", 1021, 1020, "modulation rate", "CBrevoxDownloadToolDlg::OnBnClickedButtonMrate"},
    {2, "OnBnClickedButtonTxrx", 1023, 1022, "tx/rx", "CBrevoxDownloadToolDlg::OnBnClickedButtonTxrx"},
    {3, "OnBnClickedButtonBtble", 1025, 1024, "bt/ble", "CBrevoxDownloadToolDlg::OnBnClickedButtonBtble"},
    {4, "OnBnClickedButtonCarrier", 1027, 1026, "data", "CBrevoxDownloadToolDlg::OnBnClickedButtonCarrier"},
    {5, "OnBnClickedButtonDatalength", 1029, 1028, "data length",
     "CBrevoxDownloadToolDlg::OnBnClickedButtonDatalength"},
    {6, "OnBnClickedButtonFreqFixHop", 1033, 1032, "freq hop/fix",
     "CBrevoxDownloadToolDlg::OnBnClickedButtonFreqFixHop"},
}};

// Ids of the other RF rows.
inline constexpr int kFreqOffsetEditId = 1004;
inline constexpr int kFreqOffsetButtonId = 1038;
inline constexpr int kPowerComboId = 1039;
inline constexpr int kPowerButtonId = 1041;
inline constexpr int kSetFrequencyButtonId = 1016;
inline constexpr int kFrequency24gComboId = 1036;
inline constexpr int kChipTypeComboId = 1040;
// Command ids routed to the configured buttons; later buttons do nothing.
inline constexpr int kFirstConfiguredButtonId = kConfiguredButtonBaseId;
inline constexpr int kLastRoutedConfiguredButtonId = kFirstConfiguredButtonId + 50;

}  // namespace tessorin
