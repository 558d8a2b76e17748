#pragma once
// The command-line start without a window: the station loop on the console.
// The window stays invisible there, so its controls only remember the caption.
#include <string>
#include <vector>

#include "app/application.h"
#include "app/file_dialog.h"
#include "app/window_controls.h"

namespace tessorin {

class InvisibleWindowControls final : public WindowControls {
public:
    std::string controlText(int) override { return {}; }
    void setControlText(int, std::string_view) override {}
    void enableControl(int, bool) override {}
    std::string windowCaption() override { return caption_; }
    void setWindowCaption(std::string_view caption) override { caption_ = caption; }
    void comboResetContent(int) override {}
    void comboAddString(int, std::string_view) override {}
    void comboSetCurSel(int, int) override {}
    int comboGetCurSel(int) override { return -1; }
    void comboSetItemHeight(int, int) override {}
    PixelRect controlRect(int) override { return {}; }
    void moveControl(int, const PixelRect&) override {}
    void createControl(const ControlCreation&) override {}
    void destroyControl(int) override {}
    // Everything the pane gets in this start also goes to the log stream.
    void paneAppend(std::string_view) override {}
    void setProgress(int, int) override {}
    void setIcons() override {}
    void acceptDroppedFiles() override {}
    void setDragHintFont() override {}
    void hideForStation() override {}

private:
    std::string caption_;
};

class NoFileDialog final : public FileDialog {
public:
    std::optional<std::string> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

// Runs OnInitDialog, which runs the station loop; returns when the loop has ended.
class StationConsoleHost final : public DialogHost {
public:
    // stationRun: the station started with options, or none for the seed's form.
    explicit StationConsoleHost(download::StationJob job, download::StationRecorder* stationRun = nullptr);
    WindowSeams windowSeams() override;
    void runModal(CBrevoxDownloadToolDlg& window) override;

private:
    download::StationJob job_;
    download::StationRecorder* stationRun_;
    InvisibleWindowControls controls_;
    NoFileDialog fileDialog_;
};

}  // namespace tessorin
