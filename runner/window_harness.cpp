#include "runner/window_harness.h"

#include "report/code_page.h"

namespace tessorin::runner {

bool JoinableWorkers::start(std::function<void()> work) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++started_;
    if (holding_) held_.push_back(std::move(work));
    else threads_.emplace_back(std::move(work));
    return true;
}

void JoinableWorkers::hold() {
    std::lock_guard<std::mutex> lock(mutex_);
    holding_ = true;
}

void JoinableWorkers::release() {
    std::lock_guard<std::mutex> lock(mutex_);
    holding_ = false;
    for (auto& work : held_) threads_.emplace_back(std::move(work));
    held_.clear();
}

void JoinableWorkers::waitAll() {
    release();
    std::vector<std::thread> running;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        running.swap(threads_);
    }
    for (std::thread& t : running) t.join();
}

int JoinableWorkers::started() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return started_;
}

bool WindowHarness::prepareMessages(int codePage) {
    overrideSystemCodePage(codePage);
    buildMessageTable();
    return true;
}

WindowSeams WindowHarness::seamsFor(WindowHarness& harness, WindowHarnessOptions& options) {
    overrideSystemCodePage(options.codePage);
    std::string programPath = options.programPath;
    return {
        harness.fileDialog,
        options.stationJob,
        [programPath] { return programPath; },
        [&harness](LogDestination& destination, const std::string&, LogTarget target) {
            {
                std::lock_guard<std::mutex> lock(harness.mutex_);
                harness.openedLogTargets_.push_back(target);
            }
            destination.attached = true;
            writeTrace(target == LogTarget::File ? "file log\n" : "console\n");
        },
        [&harness, prelude = options.workerPrelude](std::function<void()> work) {
            if (!prelude) return harness.workers.start(std::move(work));
            return harness.workers.start([prelude, work = std::move(work)] {
                prelude();
                work();
            });
        },
        options.stationStop,
        options.stationRun,
    };
}

WindowHarness::WindowHarness(WindowHarnessOptions options) : window(seamsFor(*this, options)) {}

WindowHarness::~WindowHarness() { workers.waitAll(); }

bool WindowHarness::start() {
    window.attachControls(controls);
    return window.OnInitDialog();
}

std::vector<LogTarget> WindowHarness::openedLogTargets() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return openedLogTargets_;
}

}  // namespace tessorin::runner
