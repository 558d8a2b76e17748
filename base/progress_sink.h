#pragma once
// Where a long transfer says how far it has come: a progress bar, a console
// line, a test's record. Called once per report, so an implementation keeps
// the call cheap and draws only when what it shows changes.
#include <cstdint>

namespace tessorin {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // sent of total bytes have gone out. A transfer starts at 0 (total 0 while
    // its size is not known yet); sent never falls within one transfer and
    // equals total once the last byte went out.
    virtual void progress(uint64_t sent, uint64_t total) = 0;
    // The transfer is over, whether or not it reached its total.
    virtual void finished() {}
};

// Reports the start of a transfer on construction and its end on destruction,
// so every way out of a procedure ends the sink's transfer. The sink may be null.
class ProgressTransfer {
public:
    ProgressTransfer(ProgressSink* sink, uint64_t total) : sink_(sink) {
        if (sink_) sink_->progress(0, total);
    }
    ~ProgressTransfer() {
        if (sink_) sink_->finished();
    }
    ProgressTransfer(const ProgressTransfer&) = delete;
    ProgressTransfer& operator=(const ProgressTransfer&) = delete;

private:
    ProgressSink* sink_;
};

}  // namespace tessorin
