#include "app/control_ids.h"
#include "app/main_window.h"
#include "base/text.h"
#include "report/handler_guard.h"

namespace tessorin {

void CBrevoxDownloadToolDlg::OnBnClickedButtonSelectRom(const ControlRow&) {
    std::optional<std::string> chosen = seams_.fileDialog.chooseFile({kRomFileFilter, programDir});
    if (!chosen) return;
    romPath = *chosen;
    controls().setControlText(kRomPathLabelId, romPath);
}

// Not a guarded command, yet a failure inside the load (memory exhausted) must not take the window down.
void CBrevoxDownloadToolDlg::OnBnClickedButtonSelectIni(const ControlRow&) {
    runGuarded(*this, *messages, "CBrevoxDownloadToolDlg::OnBnClickedButtonSelectIni", [this] {
        std::optional<std::string> chosen = seams_.fileDialog.chooseFile({kIniFileFilter, programDir});
        if (!chosen) return;
        iniPath = *chosen;
        controls().setControlText(kIniPathLabelId, iniPath);
        loadIniAndRebuildPanel(iniPath);
    });
}

void CBrevoxDownloadToolDlg::OnDropFiles(const std::vector<std::string>& paths) {
    runGuarded(*this, *messages, "CBrevoxDownloadToolDlg::OnDropFiles", [&] {
        if (paths.empty()) return;
        if (paths.size() > 1) {
            appendLogPane((*messages)[msgOneFileOnly]);
            return;
        }
        const std::string& path = paths.front();
        if (endsWithNoCase(path, ".ini")) {
            loadIniAndRebuildPanel(path);
        } else if (endsWithNoCase(path, ".rom") || endsWithNoCase(path, ".dat")) {
            controls().setControlText(kRomPathLabelId, path);
            romPath = path;
        } else {
            writeLog((*messages)[msgFileFormatError]);
            appendLogPane((*messages)[msgFileFormatError]);
        }
    });
}

}  // namespace tessorin
