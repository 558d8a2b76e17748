#pragma once
// A file dialog that gives the answers a test queued, and cancels when none is left.
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/file_dialog.h"

namespace tessorin::runner {

class ScriptedFileDialog final : public FileDialog {
public:
    void choose(std::string path) { queue(std::move(path)); }
    void cancel() { queue(std::nullopt); }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
    std::vector<FileDialogRequest> requests() const;

private:
    void queue(std::optional<std::string> answer);

    mutable std::mutex mutex_;
    std::deque<std::optional<std::string>> answers_;
    std::vector<FileDialogRequest> requests_;
};

}  // namespace tessorin::runner
