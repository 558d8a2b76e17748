#pragma once
// The store's tables, versioned: schema_version holds the number of the last
// migration applied; opening a store applies the ones it lacks, in order, each
// in one transaction, so two stations opening a new store at once cannot both
// apply one. A store newer than this program is refused.
#include "store/connection.h"

namespace tessorin::store {

inline constexpr int kSchemaVersion = 2;

void migrate(Connection& connection);

}  // namespace tessorin::store
