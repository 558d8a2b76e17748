#include "config/record_guard.h"

#include <string_view>

#include "config/config_error.h"
#include "report/log.h"

namespace tessorin {
namespace {

void logRecordFailure(std::string_view text) {
    try {
        writeLog(text);
    } catch (...) {
        // The log itself failed (memory exhausted); the load must still go on.
    }
}

}  // namespace

void runRecordGuarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const ConfigError& failure) {
        logRecordFailure(failure.what());
    } catch (...) {
        logRecordFailure(kUnhandledRecordError);
    }
}

}  // namespace tessorin
