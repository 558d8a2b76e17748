#pragma once
// The one application object: runs the main window modally and ends with it.
#include "app/main_window.h"
#include "app/window_seams.h"

namespace tessorin {

// How a platform shows the main window.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    // Framework set-up before the window is made (common controls, shell manager).
    virtual void initialiseFramework() {}
    virtual void releaseFramework() {}
    virtual WindowSeams windowSeams() = 0;
    // Makes the dialog from template 102, attaches its controls, calls
    // OnInitDialog and dispatches messages until the dialog ends.
    virtual void runModal(CBrevoxDownloadToolDlg& window) = 0;
};

class CBrevoxDownloadToolApp {
public:
    explicit CBrevoxDownloadToolApp(DialogHost& host) : host_(host) {}
    // Runs the whole program; false, so the application ends when the window closes.
    bool InitInstance();

private:
    DialogHost& host_;
};

}  // namespace tessorin
