#include "app/application.h"

namespace tessorin {

bool CBrevoxDownloadToolApp::InitInstance() {
    host_.initialiseFramework();
    CBrevoxDownloadToolDlg window(host_.windowSeams());
    host_.runModal(window);  // the dialog's result is not used
    host_.releaseFramework();
    return false;
}

}  // namespace tessorin
