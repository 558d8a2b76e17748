#pragma once
// Configuration loading never stops at a bad value: each record loads under
// this guard, and an error ends only that record.
#include <string_view>

#include "config/config_error.h"

namespace tessorin {

constexpr const char* kUnhandledRecordError = "This is a exception without handling\n";

// The text of a failed record to the log; a failing log is let go, so the load goes on.
void logRecordFailure(std::string_view text) noexcept;

// Runs body; a ConfigError has its text logged, any other error logs
// kUnhandledRecordError. Nothing escapes. A template, so a body that captures
// much costs no allocation: a load guards a record per configured control.
template <typename Body>
void runRecordGuarded(Body&& body) noexcept {
    try {
        body();
    } catch (const ConfigError& failure) {
        logRecordFailure(failure.what());
    } catch (...) {
        logRecordFailure(kUnhandledRecordError);
    }
}

}  // namespace tessorin
