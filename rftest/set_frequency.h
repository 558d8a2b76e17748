#pragma once
// The 2.4G frequency row: checks a chip type and a channel choice.
#include <string>

namespace tessorin {

// "e_interface 4bf4 " (chip types 0-2) or "e_interface 4db7 " (3-5), then
// channel + 1 in two lowercase hex digits. No transport for it exists yet:
// the text is composed for the operator's record, never sent.
std::string setFrequencyCommandText(int chipType, int channel);

}  // namespace tessorin
