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
#include "station/board_publisher.h"
#include "station/console_progress.h"
#include "station/results_file.h"
#include "station/station_settings.h"
#include "station/station_store.h"

namespace tessorin {

struct StationStoreSettings {
    std::string location;         // empty: no store
    std::optional<job::Job> job;  // --job: its identity fields
    std::string board;            // --board, for the store's station record
};

// Exit statuses beside 0 and 1: the station stopped before its next chip.
inline constexpr int kPoolExhausted = 3;
inline constexpr int kStoreFailed = 4;

class StationRun final : public download::StationRecorder {
public:
    // Opens the results file and the store, if any. Nothing when either cannot
    // be opened, with the reason in problem.
    static std::unique_ptr<StationRun> start(const StationSettings& settings, std::string& problem,
                                             const StationStoreSettings& store = {});

    // Before the chip's worker starts: what the worker is given.
    download::StationChip chipStarting() override;
    // After the chip's worker has ended: its results line, then the running
    // totals. A line that cannot be written is reported, and the station stops
    // before the next chip: a line would rather stop than program chips it cannot trace.
    void chipFinished(const download::StationChip& chip, const std::string& imagePath,
                      const std::vector<std::string>& presets) override;

    void boardActivity(download::BoardActivity activity) override;
    bool countReached() const { return settings_.chipCount && finished() >= *settings_.chipCount; }
    // The station takes no further chip: its count was reached, a results line
    // was not written, the store stopped it, or it was asked to end.
    bool ended() const override;
    // The chip's line (reason interrupted) and the totals, then the process ends.
    [[noreturn]] void abandonChip(const download::StationChip& chip, const std::string& imagePath,
                                  const std::vector<std::string>& presets) override;
    uint64_t passed() const { return passed_; }
    uint64_t failed() const { return failed_; }
    // 0 once a count was reached with every chip passed and recorded;
    // kPoolExhausted or kStoreFailed when the store stopped the station; 1 otherwise.
    int exitCode() const;
    ~StationRun() override;  // the station's end on the store's record

private:
    StationRun(StationSettings settings, std::unique_ptr<ResultsFile> results, std::unique_ptr<StationStore> store,
               const StationStoreSettings& storeSettings);
    uint64_t finished() const { return passed_ + failed_; }
    ChipRecord recordOf(const download::StationChip& chip, const std::string& imagePath,
                        const std::vector<std::string>& presets) const;
    void writeResultsLine(const ChipRecord& record);

    StationSettings settings_;
    std::unique_ptr<ResultsFile> results_;
    std::unique_ptr<StationStore> store_;
    ConsoleProgress progress_;
    std::unique_ptr<BoardPublisher> publisher_;  // with a store: where the board stands, for the dashboard
    uint64_t passed_ = 0;
    uint64_t failed_ = 0;
    uint64_t unrecorded_ = 0;
    uint64_t startTickMs_ = 0;
    uint64_t startReports_ = 0;
};

}  // namespace tessorin
