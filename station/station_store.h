#pragma once
// A station on a store (--store, or the job's store): its start and end on
// record, each chip's identity values reserved before the chip is touched
// (the next chip's as soon as the last one is recorded), and each finished
// chip's record, which commits its values with it. docs/store.md.
#include <memory>
#include <optional>
#include <string>

#include "download/chip_identity.h"
#include "job/job.h"
#include "station/results_line.h"

namespace tessorin {

class StationStore {
public:
    // Why the station stops before its next chip.
    enum class Stop { None, PoolExhausted, StoreFailed };

    // Opens the store, voids what vanished stations left, records this
    // station's start and reserves the first chip's values. Nothing, with the
    // reason in problem, when any of that fails (the Windows build has no store).
    static std::unique_ptr<StationStore> open(const std::string& location, const std::optional<job::Job>& job,
                                              const std::string& board, std::string& problem);
    virtual ~StationStore() = default;

    // The values the next chip gets.
    virtual download::ChipIdentity nextChip() const = 0;
    // The finished chip's record with its values, then the next chip's values
    // when another chip follows. False, with the line to show, when the station
    // must stop: the record did not commit (it is then no finished chip of the
    // store) or a pool ran out.
    virtual bool chipFinished(const ChipRecord& record, bool anotherFollows, std::string& problem) = 0;
    virtual Stop stop() const = 0;
    // The station's row in the store.
    virtual int64_t stationId() const = 0;
    // Releases the values held for a chip that never came; how the station ended.
    virtual void end(const std::string& how) = 0;
};

}  // namespace tessorin
