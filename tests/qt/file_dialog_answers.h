#pragma once
// Answers every open-file dialog that opens while it lives, from inside the
// dialog's modal loop, as an operator would: a queued file name is typed into
// the name field and Enter pressed, otherwise Cancel is pressed. It records what
// each dialog showed.
#include <QStringList>
#include <QTimer>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tessorin::testing {

struct OpenDialogSeen {
    std::string folder;
    QStringList filterNames;  // as the filter list shows them
    bool existingFileOnly = false;
};

class FileDialogAnswers {
public:
    FileDialogAnswers();
    void choose(const std::string& fileName) { answers_.emplace_back(fileName); }
    void cancel() { answers_.emplace_back(std::nullopt); }
    const std::vector<OpenDialogSeen>& seen() const { return seen_; }

private:
    void answerOpenDialog();

    QTimer poll_;
    std::deque<std::optional<std::string>> answers_;
    std::vector<OpenDialogSeen> seen_;
};

}  // namespace tessorin::testing
