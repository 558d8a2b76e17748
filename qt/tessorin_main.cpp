// The Linux program: with no argument the main window; with a firmware image
// (and register presets) the download station on the console, without Qt, or
// one station per board (--all-boards); or the answer to --help, --list-boards
// and a bad command line; or the line's dashboard (tessorin dashboard).
#include <QApplication>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/program_path.h"
#include "base/child_process.h"
#include "dashboard/dashboard_command.h"
#include "download/station_end.h"
#include "qt/end_signals.h"
#include "station/program_start.h"
#include "station/station_console.h"
#include "qt/main_dialog.h"
#include "qt/x_display.h"

namespace {

// Without a display Qt would end the program with its own plugin diagnostics.
bool displayAvailable() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

constexpr const char* kConsoleHint =
    "on a console, give a firmware image to run the download station (tessorin IMAGE [\"ADDRESS VALUE\"]...)\n";

void printLine(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// A signal to end goes to the stations, not this process, which still adds
// up their totals once they have ended.
int runAllBoards(const tessorin::ProgramStart& start) {
    tessorin::qt::takeEndSignals([](int signalNumber) { tessorin::ChildProcess::signalEveryChild(signalNumber); });
    return tessorin::runAllBoards(tessorin::currentProgramPath(), start.boardStations, printLine, start.recordLeftChip);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    if (tessorin::dashboard::isDashboardCommand(arguments)) return tessorin::dashboard::runDashboardCommand(arguments);
    tessorin::ProgramStart start = tessorin::prepareProgramStart(arguments, isatty(STDOUT_FILENO) == 1, printLine);
    if (start.kind == tessorin::ProgramStart::Kind::Answered) {
        std::fputs(start.output.c_str(), start.exitCode == 0 ? stdout : stderr);
        return start.exitCode;
    }
    if (start.kind == tessorin::ProgramStart::Kind::AllBoards) return runAllBoards(start);
    if (start.kind == tessorin::ProgramStart::Kind::Station) {
        // A station with options ends after the chip in hand; the seed's form keeps its default end.
        if (start.stationRun) tessorin::qt::takeEndSignals([](int) { tessorin::download::requestStationEnd(); });
        tessorin::StationConsoleHost host(std::move(start.stationJob), start.stationRun.get());
        tessorin::CBrevoxDownloadToolApp application(host);
        application.InitInstance();
        // The seed's station loop ends only on a failure, which it has reported on the console.
        return start.stationRun ? start.stationRun->exitCode() : 1;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "tessorin: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set); %s",
                     kConsoleHint);
        return 2;
    }
    if (std::optional<std::string> display = tessorin::qt::unreachableXDisplay()) {
        std::fprintf(stderr, "tessorin: cannot open the display %s (no X server answers there); %s",
                     display->c_str(), kConsoleHint);
        return 2;
    }
    QApplication qtApplication(argc, argv);
    tessorin::qt::QtDialogHost host;
    tessorin::CBrevoxDownloadToolApp application(host);
    application.InitInstance();
    return 0;
}
