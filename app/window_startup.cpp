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
    return seams_.stationJob ? startFromCommandLine(*seams_.stationJob) : startInteractive();
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

bool CBrevoxDownloadToolDlg::startFromCommandLine(const download::StationJob& job) {
    controls().hideForStation();
    // Only a station given options may be one that --all-boards started and reads
    // through a pipe; the plain station keeps a console of its own wherever its output goes.
    seams_.openLog(logDestination, programPath, seams_.stationRun ? LogTarget::PipeOrConsole : LogTarget::Console);
    scratchText = controls().windowCaption();
    writeLog(formatText((*messages)[msgCurrentVersion], {scratchText}));
    writeLog(formatText((*messages)[msgRomFromCommandLine], {job.imagePath}));
    if (!pathExists(job.imagePath)) writeLog((*messages)[msgFileNotFound]);
    download::commandDownload(downloadHost_, job, seams_.stationStop, seams_.stationRun);
    return true;
}

}  // namespace tessorin
