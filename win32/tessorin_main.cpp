// The Windows program: the main window, interactive or as the download station.
#include <windows.h>

#include "app/application.h"
#include "win32/command_line.h"
#include "win32/main_dialog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The host outlives the application object: its controls stay valid for a
    // download worker that is still finishing when the window has closed.
    tessorin::win32::Win32DialogHost host(tessorin::win32::processArguments());
    tessorin::CBrevoxDownloadToolApp application(host);
    application.InitInstance();
    return 0;
}
