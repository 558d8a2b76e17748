#pragma once
// The open-file dialog of the Qt window: Qt's dialog (or the desktop's own,
// where Qt uses it) for one existing file, owned by the main window.
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <string_view>

#include "app/file_dialog.h"

namespace tessorin::qt {

// "shown name|patterns||" as Qt's name filters ("shown name (*.a *.b)"), one per pair.
QStringList qtNameFilters(std::string_view filter);

class QtFileDialog final : public FileDialog {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace tessorin::qt
