#include "app/window_seams.h"

#include "app/program_path.h"
#include "download/worker_thread.h"

namespace tessorin {

WindowSeams productWindowSeams(FileDialog& fileDialog, std::optional<download::StationJob> stationJob,
                               download::StationRecorder* stationRun) {
    return {fileDialog, std::move(stationJob), currentProgramPath, openLogDestination,
            download::startDetachedWorker, {}, stationRun};
}

}  // namespace tessorin
