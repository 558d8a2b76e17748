#include "app/control_ids.h"
#include "app/main_window.h"
#include "download/download_button.h"
#include "rftest/rf_buttons.h"

namespace tessorin {
namespace {

using Handler = void (CBrevoxDownloadToolDlg::*)();

struct CommandEntry {
    int id;
    Handler handler;
};

// Button id -> handler; the configured buttons are routed by range below.
constexpr CommandEntry kCommandTable[] = {
    {1003, &CBrevoxDownloadToolDlg::OnBnClickedButtonDownload},
    {1000, &CBrevoxDownloadToolDlg::OnBnClickedButtonSelectRom},
    {1015, &CBrevoxDownloadToolDlg::OnBnClickedButtonSelectFreq},
    {1021, &CBrevoxDownloadToolDlg::OnBnClickedButtonMrate},
    {1023, &CBrevoxDownloadToolDlg::OnBnClickedButtonTxrx},
    {1025, &CBrevoxDownloadToolDlg::OnBnClickedButtonBtble},
    {1027, &CBrevoxDownloadToolDlg::OnBnClickedButtonCarrier},
    {1029, &CBrevoxDownloadToolDlg::OnBnClickedButtonDatalength},
    {1033, &CBrevoxDownloadToolDlg::OnBnClickedButtonFreqFixHop},
    {1016, &CBrevoxDownloadToolDlg::OnBnClickedButtonSetfrequency},
    {1041, &CBrevoxDownloadToolDlg::OnBnClickedButtonPower},
    {1001, &CBrevoxDownloadToolDlg::OnBnClickedButtonSelectIni},
    {1038, &CBrevoxDownloadToolDlg::OnBnClickedButtonFreqoffset},
};

}  // namespace

bool CBrevoxDownloadToolDlg::onCommand(int commandId) {
    if (commandId >= kConfiguredButtonBaseId && commandId < kConfiguredButtonBaseId + kRoutedConfiguredRows) {
        OnClickDynamicButton(commandId);
        return true;
    }
    for (const CommandEntry& entry : kCommandTable) {
        if (entry.id == commandId) {
            (this->*entry.handler)();
            return true;
        }
    }
    return false;
}

void CBrevoxDownloadToolDlg::OnBnClickedButtonDownload() { download::onDownloadButton(downloadHost_); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonSelectFreq() { pressParameterSelect(rfHost_, 0); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonMrate() { pressParameterSelect(rfHost_, 1); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonTxrx() { pressParameterSelect(rfHost_, 2); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonBtble() { pressParameterSelect(rfHost_, 3); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonCarrier() { pressParameterSelect(rfHost_, 4); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonDatalength() { pressParameterSelect(rfHost_, 5); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonFreqFixHop() { pressParameterSelect(rfHost_, 6); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonSetfrequency() { pressSetFrequency(rfHost_); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonFreqoffset() { pressFreqOffsetSet(rfHost_); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonPower() { pressPowerSelect(rfHost_); }
void CBrevoxDownloadToolDlg::OnClickDynamicButton(int commandId) {
    pressConfiguredButton(rfHost_, commandId - kConfiguredButtonBaseId);
}

}  // namespace tessorin
