#pragma once
// What the station does beyond the seed's loop when it is started with options
// (--results, --count, --board): a results line per finished chip, the running
// totals and the download's progress on the console, and an end after a count.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "download/station_recorder.h"
#include "station/console_progress.h"
#include "station/results_file.h"
#include "station/station_settings.h"

namespace tessorin {

class StationRun final : public download::StationRecorder {
public:
    // Opens the results file, if any. Nothing when it cannot be opened, with the reason in problem.
    static std::unique_ptr<StationRun> start(const StationSettings& settings, std::string& problem);

    // Before the chip's worker starts: what the worker is given.
    download::StationChip chipStarting() override;
    // After the chip's worker has ended: its results line (a line that cannot be
    // written is reported and the station goes on), then the running totals.
    void chipFinished(const download::StationChip& chip, const std::string& imagePath,
                      const std::vector<std::string>& presets) override;

    bool countReached() const override { return settings_.chipCount && finished() >= *settings_.chipCount; }
    uint64_t passed() const { return passed_; }
    uint64_t failed() const { return failed_; }
    // 0 once a count was reached with every chip passed; 1 otherwise.
    int exitCode() const { return countReached() && failed_ == 0 ? 0 : 1; }

private:
    StationRun(StationSettings settings, std::unique_ptr<ResultsFile> results);
    uint64_t finished() const { return passed_ + failed_; }
    void writeResultsLine(const download::StationChip& chip, const std::string& imagePath,
                          const std::vector<std::string>& presets);

    StationSettings settings_;
    std::unique_ptr<ResultsFile> results_;
    ConsoleProgress progress_;
    uint64_t passed_ = 0;
    uint64_t failed_ = 0;
    uint64_t startTickMs_ = 0;
    uint64_t startReports_ = 0;
};

}  // namespace tessorin
