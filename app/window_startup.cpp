#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/program_path.h"
#include "base/format.h"
#include "base/paths.h"
#include "base/text.h"
#include "download/station_loop.h"

namespace tessorin {

bool CBrevoxDownloadToolDlg::OnInitDialog() {
    WindowControls& c = controls();
    c.setIcons();
    c.acceptDroppedFiles();
    programPath = truncateToUtf16Units(seams_.programPath(), kProgramPathUnits);
    programDir = folderOfPath(programPath);
    scratchText.clear();
    downloadBusy = false;
    panelOrigin = {};
    c.setControlText(kDownloadButtonId, (*messages)[msgDownload]);
    c.setControlText(kSelectIniButtonId, (*messages)[msgSelectIni]);
    c.setControlText(kSelectRomButtonId, (*messages)[msgSelectRom]);
    c.setControlText(kUnnamedControlId, (*messages)[msgRomPathLabel]);
    c.setControlText(kDragHintLabelId, (*messages)[msgDragHint]);
    return seams_.arguments.size() <= 1 ? startInteractive() : startFromCommandLine();
}

bool CBrevoxDownloadToolDlg::startInteractive() {
    seams_.openLog(logDestination, programPath, LogTarget::File);
    if (logDestination.inUserStateFolder) appendLogPane(logLocationNotice(logDestination.path));
    scratchText = controls().windowCaption();
    writeLog(formatText("current version:[%s]\n", {scratchText}));
    rfRows = fixedRfRows();
    controls().setDragHintFont();
    return true;
}

bool CBrevoxDownloadToolDlg::startFromCommandLine() {
    controls().hideForStation();
    // Only a station given options may be one that --all-boards started and reads
    // through a pipe; the plain station keeps a console of its own wherever its output goes.
    seams_.openLog(logDestination, programPath, seams_.stationRun ? LogTarget::PipeOrConsole : LogTarget::Console);
    scratchText = controls().windowCaption();
    writeLog(formatText((*messages)[msgCurrentVersion], {scratchText}));
    commandLineImagePath = seams_.arguments[1];
    writeLog(formatText((*messages)[msgRomFromCommandLine], {commandLineImagePath}));
    if (!pathExists(commandLineImagePath)) writeLog((*messages)[msgFileNotFound]);
    commandLineItems.assign(seams_.arguments.begin() + 2, seams_.arguments.end());
    download::commandDownload(downloadHost_, seams_.stationStop, seams_.stationRun);
    return true;
}

}  // namespace tessorin
