#pragma once
// The main window on plain Win32: the modal dialog from template 102, its
// message routing to the window logic, and the framework set-up around it.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "win32/win32_controls.h"
#include "win32/win32_file_dialog.h"

namespace tessorin::win32 {

class Win32DialogHost final : public DialogHost {
public:
    // stationJob: the command-line start's, none for the interactive window;
    // stationRun: the station started with options, whose end ends the program; none otherwise.
    explicit Win32DialogHost(std::optional<download::StationJob> stationJob = {},
                             download::StationRecorder* stationRun = nullptr)
        : stationJob_(std::move(stationJob)), stationRun_(stationRun) {}

    void initialiseFramework() override;
    WindowSeams windowSeams() override;
    // DialogBoxParamW of template 102; returns when the dialog has ended and no
    // download worker runs any more.
    void runModal(CBrevoxDownloadToolDlg& window) override;

    // The controls of the last dialog made. They outlive the dialog, because a
    // download worker may still append to the pane after the window closed.
    Win32Controls* controls() const { return controls_.get(); }
    CBrevoxDownloadToolDlg* window() const { return window_; }

private:
    friend INT_PTR CALLBACK mainDialogProc(HWND, UINT, WPARAM, LPARAM);

    std::optional<download::StationJob> stationJob_;
    download::StationRecorder* stationRun_;
    Win32FileDialog fileDialog_;
    CBrevoxDownloadToolDlg* window_ = nullptr;
    std::unique_ptr<Win32Controls> controls_;
};

INT_PTR CALLBACK mainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tessorin::win32
