#pragma once
// Configuration loading never stops at a bad value: each record loads under
// this guard, and an error ends only that record.
#include <functional>

namespace tessorin {

constexpr const char* kUnhandledRecordError = "This is a exception without handling\n";

// Runs body; a ConfigError has its text logged, any other error logs
// kUnhandledRecordError. Nothing escapes.
void runRecordGuarded(const std::function<void()>& body);

}  // namespace tessorin
