#pragma once
// The runner's report texts for what a script dumps: bytes in hexadecimal rows
// and the window's controls one line each.
#include <cstdint>
#include <string>
#include <vector>

#include "runner/window_harness.h"

namespace tessorin::runner {

// "title address, n bytes" and rows of sixteen bytes, each row led by its address.
std::string hexRows(const std::string& title, uint32_t address, const std::vector<uint8_t>& bytes);

// The caption, the path displays, the fixed RF rows and every control made at run time.
std::string windowState(WindowHarness& harness);

}  // namespace tessorin::runner
