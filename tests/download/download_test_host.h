#pragma once
// The main window as the download drivers see it, in memory, with a worker
// start that a test controls: run at once on a thread of its own, keep the
// work until the test runs it, or fail as when no thread can be created.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "download/download_host.h"
#include "report/handler_guard.h"
#include "report/message_table.h"
#include "runner/log_capture.h"
#include "tests/support/recording_progress.h"

namespace tessorin::testing {

constexpr int kEnglishCodePage = 1252;

class DownloadTestHost final : public download::DownloadHost {
public:
    enum class WorkerStart { RunToEnd, Hold, Fail };

    DownloadTestHost() : messages_(kEnglishCodePage) {}
    ~DownloadTestHost() override { runHeldWorkers(); }

    const MessageTable& messages() const override { return messages_; }
    LogPane& logPane() override { return *pane_; }
    std::string romPath() const override { return romPathValue; }
    std::atomic<bool>& downloadBusy() override { return busy; }
    void banner(std::string_view qualifiedName) override { logHandlerBanner(scratch, *pane_, qualifiedName); }

    bool startWorker(std::function<void()> work) override {
        ++startRequests;
        switch (workerStart) {
            case WorkerStart::Fail: return false;
            case WorkerStart::Hold: held_.push_back(std::move(work)); return true;
            case WorkerStart::RunToEnd: break;
        }
        // A thread of its own, as in the product, but finished before the caller
        // goes on, so the order of the log lines is fixed.
        std::thread(std::move(work)).join();
        return true;
    }

    // Runs the held workers, each on its own thread, and waits for them.
    void runHeldWorkers() {
        std::vector<std::function<void()>> works;
        works.swap(held_);
        for (auto& work : works) std::thread(std::move(work)).join();
    }
    size_t heldWorkers() const { return held_.size(); }
    ProgressSink& downloadProgress() override { return progress; }

    void usePane(LogPane& pane) { pane_ = &pane; }
    std::string paneText() const { return recordingPane.text(); }

    runner::RecordingPane recordingPane;
    RecordingProgress progress;
    std::string romPathValue;
    std::atomic<bool> busy{false};
    std::string scratch;
    WorkerStart workerStart = WorkerStart::RunToEnd;
    int startRequests = 0;

private:
    MessageTable messages_;
    LogPane* pane_ = &recordingPane;
    std::vector<std::function<void()>> held_;
};

}  // namespace tessorin::testing
