#pragma once
// The process-wide chip identification cache behind boardReadChipId.
#include <cstdint>
#include <optional>

namespace tessorin {

std::optional<uint32_t> cachedChipId();
void rememberChipId(uint32_t chipId);
// Marks the cache as not read again. For tests only: the program never forgets a chip id.
void resetChipIdCache();

}  // namespace tessorin
