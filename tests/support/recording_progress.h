#pragma once
// A progress sink that keeps every report, for the tests' checks.
#include <cstdint>
#include <mutex>
#include <vector>

#include "base/progress_sink.h"

namespace tessorin::testing {

struct ProgressStep {
    uint64_t sent = 0;
    uint64_t total = 0;
    bool operator==(const ProgressStep&) const = default;
};

class RecordingProgress final : public ProgressSink {
public:
    void progress(uint64_t sent, uint64_t total) override {
        std::lock_guard<std::mutex> lock(mutex_);
        steps_.push_back({sent, total});
    }
    void finished() override {
        std::lock_guard<std::mutex> lock(mutex_);
        ++finishes_;
    }
    std::vector<ProgressStep> steps() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return steps_;
    }
    int finishes() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return finishes_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<ProgressStep> steps_;
    int finishes_ = 0;
};

}  // namespace tessorin::testing
