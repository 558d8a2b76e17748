#pragma once
// Whether the X display Qt would open answers, asked before Qt asks, since Qt
// ends the program with its own plugin diagnostics when it does not.
#include <optional>
#include <string>

namespace tessorin::qt {

// The DISPLAY value when Qt would take the X display and none answers there;
// nothing when there is no DISPLAY, another platform was chosen, or the display answered.
std::optional<std::string> unreachableXDisplay();

}  // namespace tessorin::qt
