#pragma once
// What the dashboard shows, read from a store as JSON: the boards with their
// published state and chips, the line's totals with the yield of each hour of
// the last day, the failures by reason, the identity pools. docs/dashboard.md.
#include <nlohmann/json.hpp>

#include "store/store.h"

namespace tessorin::dashboard {

using Json = nlohmann::ordered_json;

// A board is shown silent once its station has not written for this long.
inline constexpr int64_t kSilentAfterMs = 5000;

Json boardsView(store::Store& store);
Json summaryView(store::Store& store);
Json failuresView(store::Store& store);
Json poolsView(store::Store& store);

}  // namespace tessorin::dashboard
