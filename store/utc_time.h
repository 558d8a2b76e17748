#pragma once
// Now in UTC as ISO 8601 (2026-12-10T08:00:03Z): when store rows were written.
#include <string>

namespace tessorin::store {

std::string utcNow();

}  // namespace tessorin::store
