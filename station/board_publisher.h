#pragma once
// A station on a store publishes where its board stands (the dashboard reads
// it): the state, the download's percent, the chip in hand, the last result and
// a heartbeat. The station's threads only note the latest state; a thread of
// the publisher's own writes it on a connection of its own, at most four times
// a second and once a second without a change, so a chip never waits for it.
#include <cstdint>
#include <memory>
#include <string>

#include "base/progress_sink.h"
#include "download/station_recorder.h"

namespace tessorin {

class BoardPublisher : public ProgressSink {
public:
    // Nothing on a build without a store. board: the --board given, until the board is open;
    // console: where the progress goes on to.
    static std::unique_ptr<BoardPublisher> start(const std::string& location, int64_t station,
                                                 const std::string& board, ProgressSink& console);
    ~BoardPublisher() override = default;

    virtual void activity(download::BoardActivity activity) = 0;
    // The chip's end: "success", or "fail" with the failure's code.
    virtual void chipFinished(bool passed, const std::string& reason) = 0;
    // The station ends: its last state goes out before this returns.
    virtual void stationEnded() = 0;
};

}  // namespace tessorin
