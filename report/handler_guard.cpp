#include "report/handler_guard.h"

#include "base/format.h"
#include "report/unicode_exception.h"

namespace tessorin {

void logHandlerBanner(std::string& scratchText, LogPane& pane, std::string_view qualifiedName) {
    scratchText = formatText("%s[%s]%s\n", {"#############", qualifiedName, "#############"});
    writeLog(scratchText);
    pane.appendLogPane("----------------------------------------------------\n");
}

void reportUnhandledFailure(LogPane& pane, const MessageTable& messages, std::string_view qualifiedName) {
    std::string line = formatText("[%s]\t%s\n", {qualifiedName, messages[msgUnhandledException]});
    writeLog(line);
    pane.appendLogPane(line);
}

void runGuarded(LogPane& pane, const MessageTable& messages, std::string_view qualifiedName,
                const std::function<void()>& body) {
    try {
        body();
    } catch (const UnicodeException& failure) {
        writeLog(failure.message);
        pane.appendLogPane(failure.message);
    } catch (...) {
        try {
            reportUnhandledFailure(pane, messages, qualifiedName);
        } catch (...) {
            // Reporting itself failed (memory exhausted); the window must still stay usable.
        }
    }
}

}  // namespace tessorin
