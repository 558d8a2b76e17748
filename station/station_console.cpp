#include "station/station_console.h"

#include "app/dialog_template.h"

namespace tessorin {

StationConsoleHost::StationConsoleHost(std::vector<std::string> arguments, download::StationRecorder* stationRun)
    : arguments_(std::move(arguments)), stationRun_(stationRun) {
    controls_.setWindowCaption(mainDialogTemplate().caption);
}

WindowSeams StationConsoleHost::windowSeams() { return productWindowSeams(fileDialog_, arguments_, stationRun_); }

void StationConsoleHost::runModal(CBrevoxDownloadToolDlg& window) {
    window.attachControls(controls_);
    window.OnInitDialog();
}

}  // namespace tessorin
