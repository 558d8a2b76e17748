#pragma once
// What a station started with options adds to the loop around each chip (its
// results, totals and count); station/ implements it.
#include <string>
#include <vector>

#include "base/progress_sink.h"
#include "download/chip_identity.h"
#include "download/download_outcome.h"

namespace tessorin::download {

// What the station worker is given for one chip and leaves for the loop.
struct StationChip {
    ProgressSink* progress = nullptr;
    ChipIdentity identity;  // none without identity fields
    DownloadFailure failure = DownloadFailure::WorkerFailed;  // until the worker body returns
};

// Where the board stands between chips, for a station that publishes it.
enum class BoardActivity { Gone, WaitingForChip, ChipFound };

class StationRecorder {
public:
    virtual ~StationRecorder() = default;
    // Before the chip's worker starts: what the worker is given.
    virtual StationChip chipStarting() = 0;
    // After the chip's worker has ended.
    virtual void chipFinished(const StationChip& chip, const std::string& imagePath,
                              const std::vector<std::string>& presets) = 0;
    // Each pass of the loop that finds the board gone, without a chip, or with a new chip.
    virtual void boardActivity(BoardActivity) {}
    // The loop ends once this is true.
    virtual bool ended() const = 0;
    // While the chip's worker runs, after a second request to end
    // (download/station_end.h): the chip is recorded as interrupted and the
    // process ends at once, the worker with it.
    [[noreturn]] virtual void abandonChip(const StationChip& chip, const std::string& imagePath,
                                          const std::vector<std::string>& presets) = 0;
};

}  // namespace tessorin::download
