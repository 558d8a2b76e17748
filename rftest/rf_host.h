#pragma once
// What the RF button commands need from the main window. app/window_hosts.h
// adapts the window to it, tests implement it in memory; the commands
// themselves live in rftest/ as free functions over it.
#include <array>
#include <string>
#include <string_view>

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
    // The handler's banner line, to the log stream and the pane.
    virtual void banner(std::string_view qualifiedName) = 0;
    virtual std::string& commandText() = 0;
    // True while a download worker owns the board link.
    virtual bool downloadBusy() = 0;
};

// The seven fixed SELECT rows, in parameter order (the index picks both the
// row's combo definition and its chip address key), with the label of their
// log lines and the handler named in their banner.
struct RfParameterRow {
    int index;
    const char* label;
    const char* qualifiedName;
};

inline constexpr std::array<RfParameterRow, 7> kRfParameterRows = {{
    {0, "freq", "CBrevoxDownloadToolDlg::OnBnClickedButtonSelectFreq"},
    {1, "modulation rate", "CBrevoxDownloadToolDlg::OnBnClickedButtonMrate"},
    {2, "tx/rx", "CBrevoxDownloadToolDlg::OnBnClickedButtonTxrx"},
    {3, "bt/ble", "CBrevoxDownloadToolDlg::OnBnClickedButtonBtble"},
    {4, "data", "CBrevoxDownloadToolDlg::OnBnClickedButtonCarrier"},
    {5, "data length", "CBrevoxDownloadToolDlg::OnBnClickedButtonDatalength"},
    {6, "freq hop/fix", "CBrevoxDownloadToolDlg::OnBnClickedButtonFreqFixHop"},
}};

// Only the buttons of the first 51 configured rows act; later ones do nothing.
inline constexpr int kRoutedConfiguredRows = 51;

}  // namespace tessorin
