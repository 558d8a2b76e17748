#pragma once
// What the station does beyond the seed's loop when it is started with options
// (--results, --count, --board): a results line per finished chip, the running
// totals and the download's progress on the console, and an end after a count.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "download/station_end.h"
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
    // After the chip's worker has ended: its results line, then the running
    // totals. A line that cannot be written is reported, and the station stops
    // before the next chip: a line would rather stop than program chips it cannot trace.
    void chipFinished(const download::StationChip& chip, const std::string& imagePath,
                      const std::vector<std::string>& presets) override;

    bool countReached() const { return settings_.chipCount && finished() >= *settings_.chipCount; }
    // The station takes no further chip: its count was reached, a results line
    // was not written, or it was asked to end.
    bool ended() const override { return countReached() || unrecorded_ > 0 || download::stationEndRequests() > 0; }
    // The chip's line (reason interrupted) and the totals, then the process ends.
    [[noreturn]] void abandonChip(const download::StationChip& chip, const std::string& imagePath,
                                  const std::vector<std::string>& presets) override;
    uint64_t passed() const { return passed_; }
    uint64_t failed() const { return failed_; }
    // 0 once a count was reached with every chip passed and recorded; 1 otherwise.
    int exitCode() const { return countReached() && failed_ == 0 && unrecorded_ == 0 ? 0 : 1; }

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
    uint64_t unrecorded_ = 0;
    uint64_t startTickMs_ = 0;
    uint64_t startReports_ = 0;
};

}  // namespace tessorin
