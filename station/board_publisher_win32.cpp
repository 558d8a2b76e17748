#include "station/board_publisher.h"

namespace tessorin {

// The Windows build has no store to publish to.
std::unique_ptr<BoardPublisher> BoardPublisher::start(const std::string&, int64_t, const std::string&, ProgressSink&) { return nullptr; }

}  // namespace tessorin
