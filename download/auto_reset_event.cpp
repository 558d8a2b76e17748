#include "download/auto_reset_event.h"

#include <chrono>

namespace tessorin::download {

// Notified under the lock: the waiter wakes only once this thread is done with
// the event, which it may then destroy. A station ends its process right after
// its last chip while the detached worker that set the event is still finishing.
void AutoResetEvent::set() {
    std::lock_guard<std::mutex> lock(mutex_);
    signalled_ = true;
    changed_.notify_one();
}

void AutoResetEvent::wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
    signalled_ = false;
}

bool AutoResetEvent::waitFor(uint32_t milliseconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return signalled_; })) return false;
    signalled_ = false;
    return true;
}

}  // namespace tessorin::download
