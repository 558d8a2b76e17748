#pragma once
// Nothing may leave a worker thread: a failure is reported and the worker's
// closing steps (link, busy flag, done event) still run.
#include <functional>
#include <string_view>

#include "report/log.h"
#include "report/message_table.h"

namespace tessorin::download {

// Runs step; a failure is logged and appended to the pane, as a command handler reports it.
void runWorkerStep(LogPane& pane, const MessageTable& messages, std::string_view name,
                   const std::function<void()>& step) noexcept;

// For the station worker, which must not touch the pane: the window's thread is
// running the station loop and serves no messages.
LogPane& logStreamOnly();

}  // namespace tessorin::download
