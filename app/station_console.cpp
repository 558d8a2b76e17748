#include "app/station_console.h"

#include "app/dialog_template.h"

namespace tessorin {

StationConsoleHost::StationConsoleHost(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {
    controls_.setWindowCaption(mainDialogTemplate().caption);
}

WindowSeams StationConsoleHost::windowSeams() { return productWindowSeams(fileDialog_, arguments_); }

void StationConsoleHost::runModal(CBrevoxDownloadToolDlg& window) {
    window.attachControls(controls_);
    window.OnInitDialog();
}

}  // namespace tessorin
