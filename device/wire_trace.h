#pragma once
// The text form of the reports on the wire, one line a report:
//   "> f2 16 01 40 00 03"  host to board: bytes from 0, trailing zero bytes
//                          omitted, bytes 0-2 always shown
//   "< 02"                 board to host: bytes from 1 (byte 0 is the report
//                          id, never examined), trailing zero bytes omitted,
//                          byte 1 always shown
// Lowercase hex, two digits, single spaces.
#include <cstdint>
#include <string>

namespace tessorin {

std::string requestLine(const uint8_t* report);
// count: the bytes the board actually handed over (fewer than 64 for a short read).
std::string replyLine(const uint8_t* report, int count);

}  // namespace tessorin
