#pragma once
// The failure convention shared by every command handler.
#include <functional>
#include <string>
#include <string_view>

#include "report/log.h"
#include "report/message_table.h"

namespace tessorin {

// "#############[name]#############\n" to the log stream (kept in scratchText),
// 52 hyphens and a newline to the pane.
void logHandlerBanner(std::string& scratchText, LogPane& pane, std::string_view qualifiedName);

// "[name]\t" + msgUnhandledException + "\n" to the log stream and the pane.
void reportUnhandledFailure(LogPane& pane, const MessageTable& messages, std::string_view qualifiedName);

// Runs body; a UnicodeException has its message logged and appended to the
// pane, any other failure is reported under the handler's qualified name.
// Nothing escapes: the window stays usable.
void runGuarded(LogPane& pane, const MessageTable& messages, std::string_view qualifiedName,
                const std::function<void()>& body);

}  // namespace tessorin
