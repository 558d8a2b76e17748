#pragma once
// The main window on in-memory controls, a scripted file dialog and joinable
// workers, with the log destination only recorded, so the test's LogCapture
// keeps the log stream.
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "runner/memory_controls.h"
#include "runner/scripted_file_dialog.h"

namespace tessorin::runner {

// Worker threads that the test can wait for, unlike the product's detached ones.
// While held, a started worker waits for release: its busy flag stays raised
// for as long as the test needs.
class JoinableWorkers {
public:
    ~JoinableWorkers() { waitAll(); }
    bool start(std::function<void()> work);
    void hold();
    // Starts the workers held so far; later ones start at once.
    void release();
    // Releases and joins every worker.
    void waitAll();
    int started() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::thread> threads_;
    std::vector<std::function<void()>> held_;
    bool holding_ = false;
    int started_ = 0;
};

struct WindowHarnessOptions {
    // The command-line start's job; none opens the interactive window.
    std::optional<download::StationJob> stationJob;
    std::string programPath = "/opt/station/tessorin";
    // Asked once per station loop pass; empty runs the loop until a failure.
    std::function<bool()> stationStop;
    // The station started with options; none for the seed's form.
    download::StationRecorder* stationRun = nullptr;
    // Runs on each worker's thread before its work.
    std::function<void()> workerPrelude;
    // Pinned before the process's message table is built (the first window of the process).
    int codePage = 1252;
};

class WindowHarness {
public:
    // Builds the process's message table now, so its "cur encoding" line is not
    // in a log capture started afterwards. Returns true.
    static bool prepareMessages(int codePage = 1252);

    explicit WindowHarness(WindowHarnessOptions options = {});
    ~WindowHarness();

    // Attaches the controls and runs OnInitDialog.
    bool start();
    // The console-mode flag of every log destination opened ("file log" or "console" is traced).
    std::vector<LogTarget> openedLogTargets() const;

    MemoryControls controls;
    ScriptedFileDialog fileDialog;
    JoinableWorkers workers;
    CBrevoxDownloadToolDlg window;

private:
    static WindowSeams seamsFor(WindowHarness& harness, WindowHarnessOptions& options);

    mutable std::mutex mutex_;
    std::vector<LogTarget> openedLogTargets_;
};

}  // namespace tessorin::runner
