#pragma once
// Collects the log stream of the process for the duration of a test.
#include <mutex>
#include <string>
#include <vector>

#include "report/log.h"

namespace tessorin::runner {

class LogCapture final : public LogOutput {
public:
    LogCapture() { setLogOutput(this); }
    ~LogCapture() override { setLogOutput(nullptr); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    void write(std::string_view text) override;
    // Everything written, in order.
    std::string text() const;
    // The same with every "[YYYY-MM-DD HH:MM:SS]" prefix replaced by "[T]".
    std::string maskedText() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::string text_;
};

// Replaces every log timestamp in text by "[T]".
std::string maskTimestamps(const std::string& text);

// A pane that only remembers what it was given.
class RecordingPane final : public LogPane {
public:
    void appendLogPane(std::string_view text) override;
    std::string text() const;

private:
    mutable std::mutex mutex_;
    std::string text_;
};

}  // namespace tessorin::runner
