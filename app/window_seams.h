#pragma once
// What the main window takes from its platform at construction: the file
// dialog, the station's job (the command-line start), the program path, the
// log destination and the worker start. Tests and the runner replace the last ones and may stop the
// station loop. The controls come
// later, once the platform has made the dialog (attachControls).
#include <functional>
#include <optional>
#include <string>

#include "app/file_dialog.h"
#include "download/station_job.h"
#include "download/station_recorder.h"
#include "report/log.h"

namespace tessorin {

using LogDestinationOpener = std::function<void(LogDestination&, const std::string& programPath, LogTarget target)>;
// False when no thread could be started; the work then never runs.
using WorkerStarter = std::function<bool(std::function<void()>)>;

struct WindowSeams {
    FileDialog& fileDialog;
    // The command-line start's job; none opens the interactive window.
    std::optional<download::StationJob> stationJob;
    std::function<std::string()> programPath;
    LogDestinationOpener openLog;
    WorkerStarter startWorker;
    // Asked once per pass of the station loop; empty in the product, which never stops it.
    std::function<bool()> stationStop;
    // The station started with options (results, totals, a count); none for the seed's form.
    download::StationRecorder* stationRun = nullptr;
};

// The product's seams: the running program's path, the real log destination
// and detached worker threads.
WindowSeams productWindowSeams(FileDialog& fileDialog, std::optional<download::StationJob> stationJob = {},
                               download::StationRecorder* stationRun = nullptr);

}  // namespace tessorin
