#pragma once
// The number conversion of code-file lines: never fails, whatever the text holds.
#include <cstdint>
#include <string_view>

namespace tessorin::download {

// Skips leading white space, takes one optional sign (minus negates modulo 2^32)
// and, in base 16, an optional 0x or 0X, then reads digits of the base up to the
// first other character. No digits give 0; a value above 32 bits gives 0xFFFFFFFF.
// Bases 2 and 16 are used.
uint32_t readCodeNumber(std::string_view text, int base);

}  // namespace tessorin::download
