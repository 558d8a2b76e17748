#pragma once
// The real Qt window over the window logic, run modally the way the program
// runs it, while the test drives it from inside the modal loop as an operator
// would: clicks, keys, drops, the file dialog.
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "qt/main_dialog.h"
#include "report/message_table.h"
#include "runner/window_harness.h"

namespace tessorin::testing {

struct QtWindowOptions {
    std::string programPath = "/opt/station/tessorin";
    // The log stays with the test's capture unless a test opens a real destination.
    LogDestinationOpener openLog = [](LogDestination&, const std::string&, LogTarget) {};
};

class QtWindowSession {
public:
    explicit QtWindowSession(QtWindowOptions options = {});

    // Runs the window until it is closed. drive runs once the window shows and
    // its modal loop serves events; the close box is pressed after it unless
    // drive has closed the window itself.
    void run(const std::function<void()>& drive);

    // While run runs.
    qt::QtMainDialog& dialog() { return *host_.dialog(); }
    QWidget* item(int id) const { return host_.controls()->widget(id); }
    template <typename Widget>
    Widget* itemAs(int id) const { return dynamic_cast<Widget*>(item(id)); }
    std::string text(int id) const { return host_.controls()->controlText(id); }
    // The log pane as it shows: one '\n' per line.
    std::string pane() const { return text(1006); }
    // A left click in the middle of the control.
    void click(int id);
    // Files dragged onto the window and dropped; false when the window refused them.
    bool drop(const std::vector<std::string>& paths);

    qt::QtDialogHost& host() { return host_; }
    CBrevoxDownloadToolDlg& window() { return window_; }
    runner::JoinableWorkers& workers() { return workers_; }

private:
    qt::QtDialogHost host_;
    runner::JoinableWorkers workers_;
    [[maybe_unused]] bool messagesReady_ = runner::WindowHarness::prepareMessages();  // English, before the window's table is built
    CBrevoxDownloadToolDlg window_;
};

// An English message as one line of the pane: the message's own "\n" is not
// shown; the CR LF the pane adds ends the line.
std::string paneLineOf(MessageId id);

// Serves the window's events until the condition holds (true) or 20 s passed (false).
bool serveUntil(const std::function<bool()>& condition);

}  // namespace tessorin::testing
