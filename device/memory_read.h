#pragma once
// A memory read that also tells whether every reply arrived, for the callers
// that must not take a missing reply's zeros for data they keep.
#include <cstdint>

namespace tessorin {

struct MemoryReadOutcome {
    bool sent = true;     // every request report went out
    bool replied = true;  // every reply arrived whole
};

[[nodiscard]] MemoryReadOutcome readMemoryWithOutcome(bool autoIncrement, int32_t address, uint8_t* destination, int32_t length);

}  // namespace tessorin
