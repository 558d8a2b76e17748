#include "download/worker_bodies.h"

#include "base/format.h"
#include "base/not_examined.h"
#include "device/board_commands.h"
#include "download/cpu_probe.h"
#include "download/dat_download.h"
#include "download/rom_download.h"
#include "download/station_presets.h"
#include "report/log.h"

namespace tessorin::download {

void runRomDownload(DownloadHost& host, const std::string& imagePath) {
    const MessageTable& messages = host.messages();
    LogPane& pane = host.logPane();
    pane.appendLogPane(messages[msgDownloading]);
    notExamined(boardSetReg8010());
    writeTrace("eku after\n");
    boardReportCpuState();
    boardReportCpuState();
    probeCpuBeforeDownload();
    const bool downloaded = static_cast<bool>(downloadRomImage(imagePath, &host.downloadProgress()));
    pane.appendLogPane(messages[downloaded ? msgDownloadSuccess : msgDownloadFail]);
    writeTrace("e hu after\n");
    boardReportCpuState();
    boardReportCpuState();
    pane.appendLogPane(messages[msgDownloadFinish]);
}

void runDatDownload(DownloadHost& host, const std::string& imagePath) {
    const MessageTable& messages = host.messages();
    LogPane& pane = host.logPane();
    pane.appendLogPane(messages[msgDownloading]);
    const bool written = static_cast<bool>(downloadDatImage(imagePath, &host.downloadProgress()));
    pane.appendLogPane(messages[written ? msgEepSuccess : msgEepFail]);
    pane.appendLogPane(messages[msgDownloadFinish]);
}

DownloadFailure runStationDownload(DownloadHost& host, const std::string& imagePath,
                                   const std::vector<std::string>& commandLineItems, ProgressSink* progress,
                                   const ChipIdentity& identity) {
    const MessageTable& messages = host.messages();
    writeLog(messages[msgDownloading]);
    writeLog(formatText(messages[msgRomPath], {imagePath}));
    // Checked as a whole first: a chip gets either every preset or nothing at all.
    std::vector<std::string> items = commandLineItems;
    items.insert(items.end(), identity.presets.begin(), identity.presets.end());
    std::optional<std::vector<StationPreset>> presets = parseStationPresets(items);
    if (!presets) {
        writeLog(messages[msgDownloadFail]);
        return DownloadFailure::PresetRefused;
    }
    for (const StationPreset& preset : *presets) writeStationPreset(preset);
    if (!presets->empty()) notExamined(boardSetReg8010());
    probeCpuBeforeDownload();
    const DownloadOutcome downloaded = downloadRomImage(imagePath, progress, identity.imagePatches);
    writeLog(messages[downloaded ? msgDownloadSuccess : msgDownloadFail]);
    return downloaded.failure;
}

}  // namespace tessorin::download
