#pragma once
// What the RF button commands need from the main window. The window implements
// this; the commands themselves live in rftest/ as free functions over it.
#include <array>
#include <string>

#include "config/ext_controls.h"
#include "report/log.h"
#include "report/message_table.h"

namespace tessorin {

class TestConfig;

class RfHost {
public:
    virtual ~RfHost() = default;
    // The entry chosen in a combo box of the window; -1 when none is.
    virtual int comboSelection(int comboId) = 0;
    virtual std::string controlText(int controlId) = 0;
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
// Only the buttons of the first 51 configured rows act; later ones do nothing.
inline constexpr int kRoutedConfiguredRows = 51;

}  // namespace tessorin
