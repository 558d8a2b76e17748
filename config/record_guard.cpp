#include "config/record_guard.h"

#include "report/log.h"

namespace tessorin {

void logRecordFailure(std::string_view text) noexcept {
    try {
        writeLog(text);
    } catch (...) {
        // The log itself failed (memory exhausted); the load must still go on.
    }
}

}  // namespace tessorin
