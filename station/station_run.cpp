#include "station/station_run.h"

#include <cstdio>
#include <cstdlib>

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

std::unique_ptr<StationRun> StationRun::start(const StationSettings& settings, std::string& problem,
                                              const StationStoreSettings& storeSettings) {
    std::unique_ptr<ResultsFile> results;
    if (!settings.resultsPath.empty()) {
        results = ResultsFile::open(settings.resultsPath, problem);
        if (!results) {
            problem = formatText("cannot open the results file %s: %s", {settings.resultsPath, problem});
            return nullptr;
        }
    }
    std::unique_ptr<StationStore> store;
    if (!storeSettings.location.empty()) {
        store = StationStore::open(storeSettings.location, storeSettings.job, storeSettings.board, problem);
        if (!store) {
            problem = formatText("cannot open the store %s: %s", {storeSettings.location, problem});
            return nullptr;
        }
    }
    return std::unique_ptr<StationRun>(new StationRun(settings, std::move(results), std::move(store), storeSettings));
}

StationRun::StationRun(StationSettings settings, std::unique_ptr<ResultsFile> results,
                       std::unique_ptr<StationStore> store, const StationStoreSettings& storeSettings)
    : settings_(std::move(settings)),
      results_(std::move(results)),
      store_(std::move(store)),
      progress_(settings_.consoleIsTerminal) {
    if (store_) publisher_ = BoardPublisher::start(storeSettings.location, store_->stationId(), storeSettings.board, progress_);
}

StationRun::~StationRun() {
    if (!store_) return;
    if (publisher_) publisher_->stationEnded();
    const StationStore::Stop stop = store_->stop();
    store_->end(stop == StationStore::Stop::PoolExhausted ? "pool exhausted"
                : stop == StationStore::Stop::StoreFailed ? "store failed"
                : countReached()                          ? "count reached"
                                                          : "asked to end");
}

void StationRun::boardActivity(download::BoardActivity activity) {
    if (publisher_) publisher_->activity(activity);
}

bool StationRun::ended() const {
    if (store_ && store_->stop() != StationStore::Stop::None) return true;
    return countReached() || unrecorded_ > 0 || download::stationEndRequests() > 0;
}

int StationRun::exitCode() const {
    if (store_ && store_->stop() == StationStore::Stop::PoolExhausted) return kPoolExhausted;
    if (store_ && store_->stop() == StationStore::Stop::StoreFailed) return kStoreFailed;
    return countReached() && failed_ == 0 && unrecorded_ == 0 ? 0 : 1;
}

download::StationChip StationRun::chipStarting() {
    startTickMs_ = processClock().tickMs();
    startReports_ = reportsSent();
    download::StationChip chip;
    chip.progress = publisher_ ? static_cast<ProgressSink*>(publisher_.get()) : &progress_;
    if (store_) chip.identity = store_->nextChip();
    return chip;
}

void StationRun::chipFinished(const download::StationChip& chip, const std::string& imagePath,
                              const std::vector<std::string>& presets) {
    const bool passed = chip.failure == download::DownloadFailure::None;
    if (passed) ++passed_;
    else ++failed_;
    if (publisher_) publisher_->chipFinished(passed, passed ? "" : std::string(download::failureCode(chip.failure)));
    const ChipRecord record = recordOf(chip, imagePath, presets);
    if (results_) writeResultsLine(record);
    std::string problem;
    if (store_ && !store_->chipFinished(record, !ended(), problem)) {
        if (store_->stop() == StationStore::Stop::StoreFailed) ++unrecorded_;
        writeLog(problem);
    }
    writeLog(totalsMessage({passed_, failed_, unrecorded_}));
}

void StationRun::abandonChip(const download::StationChip& chip, const std::string& imagePath,
                             const std::vector<std::string>& presets) {
    download::StationChip abandoned = chip;
    abandoned.failure = download::DownloadFailure::Interrupted;
    chipFinished(abandoned, imagePath, presets);
    if (publisher_) publisher_->stationEnded();
    if (store_) store_->end("interrupted");
    std::fflush(nullptr);
    std::_Exit(exitCode());
}

ChipRecord StationRun::recordOf(const download::StationChip& chip, const std::string& imagePath,
                                const std::vector<std::string>& presets) const {
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
    return record;
}

void StationRun::writeResultsLine(const ChipRecord& record) {
    std::string problem;
    if (results_->append(resultsLine(record), problem)) return;
    ++unrecorded_;
    writeLog(formatText("results: the line of chip %u did not reach %s: %s; the station stops before the next chip",
                        {record.sequence, results_->path(), problem}));
}

}  // namespace tessorin
