#include "dashboard/store_watch.h"

#include "base/paths.h"
#include "store/store_error.h"

namespace tessorin::dashboard {
namespace {

// A store that is away is looked for again at most this often.
constexpr auto kRetryGap = std::chrono::milliseconds(500);

bool isFile(const std::string& location) { return !location.starts_with("postgres"); }

}  // namespace

StoreWatch::StoreWatch(std::string location, ConsoleLine console)
    : location_(std::move(location)), console_(std::move(console)) {}

bool StoreWatch::openIfAway(std::string& problem) {
    // A file taken away stays readable through the open connection: it counts as gone.
    if (store_ && isFile(location_) && !pathExists(location_)) store_.reset();
    if (store_) return true;
    const auto now = std::chrono::steady_clock::now();
    if (!problem_.empty() && now - lastTry_ < kRetryGap) {
        problem = problem_;
        return false;
    }
    lastTry_ = now;
    if (isFile(location_) && !pathExists(location_)) {
        problem = "no store at " + location_ + " (no such file)";
        return false;
    }
    try {
        store_ = store::Store::open(location_);
        return true;
    } catch (const store::StoreError& error) {
        problem = "cannot read the store " + location_ + ": " + error.what();
        return false;
    }
}

std::optional<Json> StoreWatch::ask(const std::function<Json(store::Store&)>& view, std::string& problem) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::optional<Json> answer;
    if (openIfAway(problem)) {
        try {
            answer = view(*store_);
        } catch (const store::StoreError& error) {
            store_.reset();
            problem = "cannot read the store " + location_ + ": " + error.what();
        }
    }
    tell(answer ? std::string() : problem);
    return answer;
}

void StoreWatch::tell(const std::string& problem) {
    if (problem == problem_) return;
    if (!problem.empty()) console_("dashboard: " + problem);
    else console_("dashboard: the store " + location_ + " answers again");
    problem_ = problem;
}

}  // namespace tessorin::dashboard
