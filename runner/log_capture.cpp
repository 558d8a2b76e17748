#include "runner/log_capture.h"

#include <regex>

namespace tessorin::runner {

void LogCapture::write(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ += text;
}

std::string LogCapture::text() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
}

std::string LogCapture::maskedText() const { return maskTimestamps(text()); }

void LogCapture::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    text_.clear();
}

std::string maskTimestamps(const std::string& text) {
    static const std::regex stamp(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\])");
    return std::regex_replace(text, stamp, "[T]");
}

void RecordingPane::appendLogPane(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ += withPaneLineEnd(text);
}

std::string RecordingPane::text() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
}

}  // namespace tessorin::runner
