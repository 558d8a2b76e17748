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
            (this->*row.handler)(row);
            return true;
        }
    }
    return false;
}

void CBrevoxDownloadToolDlg::OnBnClickedButtonDownload(const ControlRow&) { download::onDownloadButton(downloadHost_); }
void CBrevoxDownloadToolDlg::OnBnClickedParameterSelect(const ControlRow& row) {
    pressParameterSelect(rfHost_, row.rfParameter, row.valueId);
}
void CBrevoxDownloadToolDlg::OnBnClickedButtonSetfrequency(const ControlRow& row) {
    pressSetFrequency(rfHost_, kChipTypeComboId, row.valueId);
}
void CBrevoxDownloadToolDlg::OnBnClickedButtonFreqoffset(const ControlRow& row) {
    pressFreqOffsetSet(rfHost_, row.valueId);
}
void CBrevoxDownloadToolDlg::OnBnClickedButtonPower(const ControlRow& row) { pressPowerSelect(rfHost_, row.valueId); }
void CBrevoxDownloadToolDlg::OnClickDynamicButton(int commandId) {
    pressConfiguredButton(rfHost_, commandId - kConfiguredButtonBaseId);
}

}  // namespace tessorin
