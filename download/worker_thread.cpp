#include "download/worker_thread.h"

#include <system_error>
#include <thread>

namespace tessorin::download {

bool startDetachedWorker(std::function<void()> work) {
    try {
        std::thread(std::move(work)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace tessorin::download
