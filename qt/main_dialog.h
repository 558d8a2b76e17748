#pragma once
// The main window as a Qt dialog: template 102 laid out in widgets, its
// buttons, drops and keys routed to the window logic, and the host that runs it
// modally.
#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "qt/qt_controls.h"
#include "qt/qt_file_dialog.h"

namespace tessorin::qt {

class QtMainDialog final : public QDialog {
public:
    explicit QtMainDialog(CBrevoxDownloadToolDlg& window);
    ~QtMainDialog() override;

    const ControlWidgets& templateControls() const { return templateControls_; }
    void centreOnScreen();

protected:
    // Escape and Enter pressed anywhere in the window go to the logic first,
    // before any widget or the dialog itself sees them.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CBrevoxDownloadToolDlg& window_;
    ControlWidgets templateControls_;
};

class QtDialogHost final : public DialogHost {
public:
    WindowSeams windowSeams() override;
    // Shows the window until it is closed; then serves queued pane appends
    // until no download worker runs any more.
    void runModal(CBrevoxDownloadToolDlg& window) override;

    QtFileDialog& fileDialog() { return fileDialog_; }
    // While runModal runs: the window and its controls.
    QtMainDialog* dialog() const { return dialog_; }
    // The controls of the last window made. They outlive the window, because a
    // download worker may still append to the pane after the window closed.
    QtControls* controls() const { return controls_.get(); }

private:
    QtFileDialog fileDialog_;
    QtMainDialog* dialog_ = nullptr;
    std::unique_ptr<QtControls> controls_;
};

}  // namespace tessorin::qt
