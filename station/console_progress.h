#pragma once
// The station's download progress on its console: one line that updates in
// place when the console is a terminal, a plain log line at each quarter when
// the output goes to a file or a pipe.
#include <cstdint>

#include "base/progress_sink.h"

namespace tessorin {

class ConsoleProgress final : public ProgressSink {
public:
    explicit ConsoleProgress(bool terminal) : terminal_(terminal) {}
    void progress(uint64_t sent, uint64_t total) override;
    // Ends the updating line; a transfer that stopped short says where.
    void finished() override;

private:
    bool terminal_;
    uint64_t sent_ = 0;
    uint64_t total_ = 0;
    uint64_t shown_ = 0;  // percent on the terminal line, quarter in the plain lines
    bool lineOpen_ = false;
};

}  // namespace tessorin
