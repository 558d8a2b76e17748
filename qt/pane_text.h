#pragma once
// What the log pane shows of an append. The pane keeps the Windows edit
// control's rule: only CR LF ends a line; a CR or LF on its own is not shown.
#include <QString>

#include <string_view>

namespace tessorin::qt {

// The text with each CR LF as one line break and every other CR and LF left out.
QString paneDisplayText(std::string_view text);

}  // namespace tessorin::qt
