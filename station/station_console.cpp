#include "station/station_console.h"

#include "app/dialog_template.h"

namespace tessorin {

StationConsoleHost::StationConsoleHost(download::StationJob job, download::StationRecorder* stationRun)
    : job_(std::move(job)), stationRun_(stationRun) {
    controls_.setWindowCaption(mainDialogTemplate().caption);
}

WindowSeams StationConsoleHost::windowSeams() { return productWindowSeams(fileDialog_, job_, stationRun_); }

void StationConsoleHost::runModal(CBrevoxDownloadToolDlg& window) {
    window.attachControls(controls_);
    window.OnInitDialog();
}

}  // namespace tessorin
