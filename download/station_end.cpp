#include "download/station_end.h"

#include <atomic>

namespace tessorin::download {
namespace {

std::atomic<int> requests{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

}  // namespace

void requestStationEnd() { requests.fetch_add(1); }

int stationEndRequests() { return requests.load(); }

}  // namespace tessorin::download
