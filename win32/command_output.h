#pragma once
// Text for whoever started the program, which has no console of its own: its
// standard output or error when they were handed over, else the console it
// was started from, else a message box.
#include <string_view>

namespace tessorin::win32 {

void showCommandOutput(std::string_view text, bool isError);

}  // namespace tessorin::win32
