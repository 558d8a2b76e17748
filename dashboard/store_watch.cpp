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

std::unique_ptr<store::Store> StoreWatch::take(std::string& problem) {
    // A file taken away stays readable through open connections: it counts as gone.
    if (isFile(location_) && !pathExists(location_)) idle_.clear();
    if (!idle_.empty()) {
        std::unique_ptr<store::Store> store = std::move(idle_.back());
        idle_.pop_back();
        return store;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!problem_.empty() && now - lastTry_ < kRetryGap) {
        problem = problem_;
        return nullptr;
    }
    lastTry_ = now;
    if (isFile(location_) && !pathExists(location_)) {
        problem = "no store at " + location_ + " (no such file)";
        return nullptr;
    }
    try {
        return store::Store::open(location_);
    } catch (const store::StoreError& error) {
        problem = "cannot read the store " + location_ + ": " + error.what();
        return nullptr;
    }
}

std::optional<Json> StoreWatch::ask(const std::function<Json(store::Store&)>& view, std::string& problem) {
    std::unique_ptr<store::Store> store;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        store = take(problem);
        if (!store) {
            tell(problem);
            return std::nullopt;
        }
    }
    std::optional<Json> answer;
    try {
        answer = view(*store);
    } catch (const store::StoreError& error) {
        problem = "cannot read the store " + location_ + ": " + error.what();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    // A store that failed once is opened again for every question after.
    if (answer) idle_.push_back(std::move(store));
    else idle_.clear();
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
