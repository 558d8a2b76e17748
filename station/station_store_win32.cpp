#include "station/station_store.h"

namespace tessorin {

std::unique_ptr<StationStore> StationStore::open(const std::string&, const std::optional<job::Job>&, const std::string&,
                                                 std::string& problem) {
    problem = "this Windows build has no station store (--store, identity fields): run it on the Linux station";
    return nullptr;
}

}  // namespace tessorin
