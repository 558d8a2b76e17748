// The Linux program: with no argument the main window; with a firmware image
// (and register presets) the download station on the console, without Qt.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/station_console.h"
#include "qt/main_dialog.h"

namespace {

// Without a display Qt would end the program with its own plugin diagnostics.
bool displayAvailable() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
    if (argc >= 2) {
        tessorin::StationConsoleHost host(arguments);
        tessorin::CBrevoxDownloadToolApp application(host);
        application.InitInstance();
        // The station loop ends only on a failure, which it has reported on the console.
        return 1;
    }
    if (!displayAvailable()) {
        std::fputs("tessorin: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set); on a "
                   "console, give a firmware image to run the download station (tessorin IMAGE "
                   "[\"ADDRESS VALUE\"]...)\n",
                   stderr);
        return 2;
    }
    QApplication qtApplication(argc, argv);
    tessorin::qt::QtDialogHost host(arguments);
    tessorin::CBrevoxDownloadToolApp application(host);
    application.InitInstance();
    return 0;
}
