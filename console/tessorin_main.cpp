// The Linux program: the command-line start of the download station. There is
// no Linux window yet; the window logic runs headless in tessorin-run.
#include <cstdio>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/station_console.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("tessorin: the window exists only on Windows; on Linux give a firmware image to run the "
                   "download station (tessorin IMAGE [\"ADDRESS VALUE\"]...), or drive the window logic with "
                   "tessorin-run SCRIPT (see docs/runner.md)\n",
                   stderr);
        return 2;
    }
    std::vector<std::string> arguments(argv, argv + argc);
    tessorin::StationConsoleHost host(arguments);
    tessorin::CBrevoxDownloadToolApp application(host);
    application.InitInstance();
    // The station loop ends only on a failure, which it has reported on the console.
    return 1;
}
