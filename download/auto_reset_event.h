#pragma once
// An event that releases one waiter per set and clears itself as it does.
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tessorin::download {

class AutoResetEvent {
public:
    // Signals; a set while signalled changes nothing.
    void set();
    // Waits without time-out until signalled, then clears.
    void wait();
    // The same for at most that long; false when it was not signalled.
    bool waitFor(uint32_t milliseconds);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

}  // namespace tessorin::download
