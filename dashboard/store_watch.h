#pragma once
// The store the dashboard reads, opened when first asked and opened again after
// it went away or broke: a missing file or a store that cannot be read is a
// problem text for the page, said once on the console when it begins, and
// once more when the store answers again. Asking never creates a store.
// Questions asked at once run at once, each on a connection of its own.
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "dashboard/line_view.h"

namespace tessorin::dashboard {

class StoreWatch {
public:
    using ConsoleLine = std::function<void(const std::string&)>;
    StoreWatch(std::string location, ConsoleLine console);

    // The view, or nothing with the reason in problem.
    std::optional<Json> ask(const std::function<Json(store::Store&)>& view, std::string& problem);

private:
    // An idle connection, or a new one; nothing with the reason. Under the lock.
    std::unique_ptr<store::Store> take(std::string& problem);
    void tell(const std::string& problem);

    std::string location_;
    ConsoleLine console_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<store::Store>> idle_;
    std::string problem_;  // the one last said on the console
    std::chrono::steady_clock::time_point lastTry_{};
};

}  // namespace tessorin::dashboard
