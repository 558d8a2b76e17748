#include "download/worker_guard.h"

#include "report/handler_guard.h"

namespace tessorin::download {
namespace {

class NoPane final : public LogPane {
public:
    void appendLogPane(std::string_view) override {}
};

}  // namespace

void runWorkerStep(LogPane& pane, const MessageTable& messages, std::string_view name,
                   const std::function<void()>& step) noexcept {
    try {
        runGuarded(pane, messages, name, step);
    } catch (...) {
        // Only reporting a failure can get here (memory exhausted); the worker must still finish.
    }
}

LogPane& logStreamOnly() {
    static NoPane pane;
    return pane;
}

}  // namespace tessorin::download
