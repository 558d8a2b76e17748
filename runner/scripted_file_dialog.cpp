#include "runner/scripted_file_dialog.h"

namespace tessorin::runner {

void ScriptedFileDialog::queue(std::optional<std::string> answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(std::move(answer));
}

std::optional<std::string> ScriptedFileDialog::chooseFile(const FileDialogRequest& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
    if (answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

std::vector<FileDialogRequest> ScriptedFileDialog::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

}  // namespace tessorin::runner
