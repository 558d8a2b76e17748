#pragma once
// An identity value as the chip gets it (its bytes in the field's order) and
// as records show it.
#include <cstdint>
#include <string>
#include <vector>

#include "job/job.h"

namespace tessorin::job {

// width bytes, least significant first for little-endian.
std::vector<uint8_t> valueBytes(const IdentityField& field, int64_t value);
// hex: 001A7D000001; address: 00:1A:7D:00:00:01; decimal: 1711276033.
std::string shownValue(const IdentityField& field, int64_t value);

}  // namespace tessorin::job
