#include "base/child_process.h"

namespace tessorin {

bool ChildProcess::readLine(std::string& line) {
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line.assign(pending_, 0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        if (ended_ || !started()) break;
        char buffer[4096];
        const size_t count = readSome(buffer, sizeof buffer);
        if (count == 0) ended_ = true;
        pending_.append(buffer, count);
    }
    if (pending_.empty()) return false;
    line.swap(pending_);
    pending_.clear();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

int ChildProcess::wait() {
    if (!waited_ && started()) status_ = waitForExit();
    waited_ = true;
    return status_;
}

}  // namespace tessorin
