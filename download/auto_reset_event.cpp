#include "download/auto_reset_event.h"

namespace tessorin::download {

void AutoResetEvent::set() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_one();
}

void AutoResetEvent::wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
    signalled_ = false;
}

}  // namespace tessorin::download
