#pragma once
// What the download drivers and their workers need from the main window.
// app/window_hosts.h adapts the window to it, and the window's handlers only
// forward (download::onDownloadButton); the station loop gets its job as a value
// beside it. Tests implement it in memory.
#include <atomic>
#include <functional>
#include <string>
#include <string_view>

#include "base/progress_sink.h"
#include "report/log.h"
#include "report/message_table.h"

namespace tessorin::download {

class DownloadHost {
public:
    virtual ~DownloadHost() = default;

    virtual const MessageTable& messages() const = 0;
    // Callable from a worker thread: the window carries the append out on its
    // own thread and waits for it. The station worker never uses it.
    virtual LogPane& logPane() = 0;
    // Read on the window's thread only; a worker is handed a copy when it starts,
    // so the operator may choose another file while it runs.
    virtual std::string romPath() const = 0;
    virtual std::atomic<bool>& downloadBusy() = 0;
    // The handler's banner line, to the log stream and the pane.
    virtual void banner(std::string_view qualifiedName) = 0;
    // Runs work on a new thread that nobody joins (download/worker_thread.h has
    // the product's version). False when no thread could be started; work then never runs.
    virtual bool startWorker(std::function<void()> work) = 0;
    // The Download button's progress bar, driven from the button's worker thread.
    virtual ProgressSink& downloadProgress() = 0;
};

}  // namespace tessorin::download
