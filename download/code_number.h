#pragma once
// The number conversion of code-file lines: never fails, whatever the text holds.
#include <cstdint>
#include <string_view>

namespace tessorin::download {

// strtoul-like (base/numbers.h parseNumberInBase), except that a text without
// digits gives 0 and a value wider than 32 bits gives 0xFFFFFFFF.
uint32_t readCodeNumber(std::string_view text, int base);

}  // namespace tessorin::download
