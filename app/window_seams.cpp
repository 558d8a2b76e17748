#include "app/window_seams.h"

#include "app/program_path.h"
#include "download/worker_thread.h"

namespace tessorin {

WindowSeams productWindowSeams(FileDialog& fileDialog, std::vector<std::string> arguments,
                               download::StationRecorder* stationRun) {
    return {fileDialog, std::move(arguments), currentProgramPath, openLogDestination,
            download::startDetachedWorker, {}, stationRun};
}

}  // namespace tessorin
