#include "app/control_ids.h"
#include "app/control_rows.h"
#include "app/main_window.h"
#include "download/download_button.h"
#include "rftest/rf_buttons.h"

namespace tessorin {

bool CBrevoxDownloadToolDlg::onCommand(int commandId) {
    if (commandId >= kConfiguredButtonBaseId && commandId < kConfiguredButtonBaseId + kRoutedConfiguredRows) {
        OnClickDynamicButton(commandId);
        return true;
    }
    for (const ControlRow& row : controlRows()) {
        if (row.buttonId == commandId) {
            (this->*row.handler)();
            return true;
        }
    }
    return false;
}

void CBrevoxDownloadToolDlg::OnBnClickedButtonDownload() { download::onDownloadButton(downloadHost_); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonSelectFreq() { pressParameterSelect(rfHost_, rfFreq, kFrequencyComboId); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonMrate() {
    pressParameterSelect(rfHost_, rfModulationRate, kModulationRateComboId);
}
void CBrevoxDownloadToolDlg::OnBnClickedButtonTxrx() { pressParameterSelect(rfHost_, rfTxRx, kTxRxComboId); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonBtble() { pressParameterSelect(rfHost_, rfBtBle, kBtBleComboId); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonCarrier() {
    pressParameterSelect(rfHost_, rfCarrierData, kCarrierDataComboId);
}
void CBrevoxDownloadToolDlg::OnBnClickedButtonDatalength() {
    pressParameterSelect(rfHost_, rfDataLength, kDataLengthComboId);
}
void CBrevoxDownloadToolDlg::OnBnClickedButtonFreqFixHop() {
    pressParameterSelect(rfHost_, rfFreqHopOrFix, kFreqHopFixComboId);
}
void CBrevoxDownloadToolDlg::OnBnClickedButtonSetfrequency() {
    pressSetFrequency(rfHost_, kChipTypeComboId, kFrequency24gComboId);
}
void CBrevoxDownloadToolDlg::OnBnClickedButtonFreqoffset() { pressFreqOffsetSet(rfHost_, kFreqOffsetEditId); }
void CBrevoxDownloadToolDlg::OnBnClickedButtonPower() { pressPowerSelect(rfHost_, kPowerComboId); }
void CBrevoxDownloadToolDlg::OnClickDynamicButton(int commandId) {
    pressConfiguredButton(rfHost_, commandId - kConfiguredButtonBaseId);
}

}  // namespace tessorin
