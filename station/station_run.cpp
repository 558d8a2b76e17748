#include "station/station_run.h"

#include "report/log.h"
#include "base/clock.h"
#include "base/format.h"
#include "base/paths.h"
#include "device/board_choice.h"
#include "device/chip_id_cache.h"
#include "device/hid_link.h"
#include "station/results_line.h"
#include "station/station_totals.h"

namespace tessorin {

std::unique_ptr<StationRun> StationRun::start(const StationSettings& settings, std::string& problem) {
    std::unique_ptr<ResultsFile> results;
    if (!settings.resultsPath.empty()) {
        results = ResultsFile::open(settings.resultsPath, problem);
        if (!results) {
            problem = formatText("cannot open the results file %s: %s", {settings.resultsPath, problem});
            return nullptr;
        }
    }
    return std::unique_ptr<StationRun>(new StationRun(settings, std::move(results)));
}

StationRun::StationRun(StationSettings settings, std::unique_ptr<ResultsFile> results)
    : settings_(std::move(settings)), results_(std::move(results)), progress_(settings_.consoleIsTerminal) {}

download::StationChip StationRun::chipStarting() {
    startTickMs_ = processClock().tickMs();
    startReports_ = reportsSent();
    download::StationChip chip;
    chip.progress = &progress_;
    return chip;
}

void StationRun::chipFinished(const download::StationChip& chip, const std::string& imagePath,
                              const std::vector<std::string>& presets) {
    if (chip.failure == download::DownloadFailure::None) ++passed_;
    else ++failed_;
    if (results_) writeResultsLine(chip, imagePath, presets);
    writeLog(totalsMessage({passed_, failed_}));
}

void StationRun::writeResultsLine(const download::StationChip& chip, const std::string& imagePath,
                                  const std::vector<std::string>& presets) {
    Clock& clock = processClock();
    ChipRecord record;
    record.durationMs = clock.tickMs() - startTickMs_;
    record.finishedAt = clock.localTime();
    record.sequence = finished();
    record.boardId = currentBoardId();
    record.chipId = cachedChipId();
    record.imagePath = imagePath;
    record.imageFile = readWholeFile(imagePath);
    record.presets = presets;
    record.failure = chip.failure;
    record.reportsSent = reportsSent() - startReports_;
    std::string problem;
    if (!results_->append(resultsLine(record), problem))
        writeLog(formatText("results: the line of chip %u did not reach %s: %s",
                            {record.sequence, results_->path(), problem}));
}

}  // namespace tessorin
