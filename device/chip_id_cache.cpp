#include "device/chip_id_cache.h"

#include <atomic>

namespace tessorin {
namespace {

constexpr uint32_t kNotRead = 0xFFFFFFFF;
// Written once by whichever thread asks first; a 16-bit id never equals kNotRead.
std::atomic<uint32_t> chipId{kNotRead};

}  // namespace

std::optional<uint32_t> cachedChipId() {
    uint32_t value = chipId.load();
    if (value == kNotRead) return std::nullopt;
    return value;
}

void rememberChipId(uint32_t value) { chipId.store(value); }

void resetChipIdCache() { chipId.store(kNotRead); }

}  // namespace tessorin
