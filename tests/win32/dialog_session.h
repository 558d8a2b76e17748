#pragma once
// The real main dialog from template 102, run modally on a thread of its own
// while the test thread drives it through its controls, as an operator would.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "runner/scripted_file_dialog.h"
#include "runner/window_harness.h"
#include "win32/main_dialog.h"

namespace tessorin::testing {

struct DialogSessionOptions {
    std::optional<download::StationJob> stationJob;  // none: the interactive window
    std::string programPath = "C:\\station\\tessorin.exe";
    std::function<bool()> stationStop;
    download::StationRecorder* stationRun = nullptr;
};

class DialogSession {
public:
    explicit DialogSession(DialogSessionOptions options = {});
    // Closes the dialog if it is still open, waits for its thread and the workers.
    ~DialogSession();
    DialogSession(const DialogSession&) = delete;
    DialogSession& operator=(const DialogSession&) = delete;

    // The dialog, once OnInitDialog has returned and its modal loop serves messages.
    HWND dialog() const { return dialog_; }
    HWND item(int id) const { return GetDlgItem(dialog_, id); }
    std::string text(int id) const;
    // The button's own click, handled on the window's thread before this returns.
    void click(int id);
    // Files dropped on the window, as the shell hands them over.
    void dropFiles(const std::vector<std::string>& paths);
    // Runs after every message posted so far has been handled.
    void waitForPostedMessages();
    // The close box; true when the modal run ended.
    bool closeBox();
    // The close box, without waiting for the modal run to end.
    void pressCloseBox();
    bool ended();

    CBrevoxDownloadToolDlg& window() { return *window_; }
    runner::ScriptedFileDialog fileDialog;
    runner::JoinableWorkers workers;

private:
    win32::Win32DialogHost host_{{}};
    std::unique_ptr<CBrevoxDownloadToolDlg> window_;
    std::thread thread_;
    HANDLE ended_ = nullptr;
    HWND dialog_ = nullptr;
    HHOOK markerHook_ = nullptr;
};

// Texts of a combo box's list, in order.
std::vector<std::string> comboItems(HWND combo);
// A window's rectangle in the client coordinates of its parent.
RECT rectInParent(HWND window);

}  // namespace tessorin::testing
