#pragma once
// The window as the download drivers and the RF commands see it. Two small
// adapters, because both interfaces name operations after window members.
#include "app/window_progress.h"
#include "download/download_host.h"
#include "rftest/rf_host.h"

namespace tessorin {

class CBrevoxDownloadToolDlg;

class WindowDownloadHost final : public download::DownloadHost {
public:
    explicit WindowDownloadHost(CBrevoxDownloadToolDlg& window) : window_(window), progress_(window) {}
    const MessageTable& messages() const override;
    LogPane& logPane() override;
    std::string romPath() const override;
    std::atomic<bool>& downloadBusy() override;
    void banner(std::string_view qualifiedName) override;
    bool startWorker(std::function<void()> work) override;
    ProgressSink& downloadProgress() override { return progress_; }

private:
    CBrevoxDownloadToolDlg& window_;
    WindowProgress progress_;
};

class WindowRfHost final : public RfHost {
public:
    explicit WindowRfHost(CBrevoxDownloadToolDlg& window) : window_(window) {}
    int comboSelection(int comboId) override;
    std::string controlText(int controlId) override;
    const MessageTable& messages() override;
    LogPane& pane() override;
    const TestConfig* configuration() override;
    ExtControlList configuredControls() override;
    void banner(std::string_view qualifiedName) override;
    std::string& commandText() override;
    bool downloadBusy() override;

private:
    CBrevoxDownloadToolDlg& window_;
};

}  // namespace tessorin
