// The Windows program: the main window, interactive or as the download station,
// one station per board (--all-boards), or the answer to --help, --list-boards
// and a bad command line.
#include <windows.h>

#include <optional>

#include "app/application.h"
#include "app/program_path.h"
#include "base/child_process.h"
#include "download/station_end.h"
#include "station/program_start.h"
#include "win32/command_line.h"
#include "win32/command_output.h"
#include "win32/console_ends.h"
#include "win32/main_dialog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The station's console is made by the log destination, and a console is a
    // terminal; a pipe (the station of one board under --all-boards) is not.
    const bool handedAPipe = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_PIPE;
    tessorin::ProgramStart start =
        tessorin::prepareProgramStart(tessorin::win32::processArguments(), !handedAPipe, [](const std::string& line) {
            tessorin::win32::CommandLines().write(line);
        });
    if (start.kind == tessorin::ProgramStart::Kind::Answered) {
        tessorin::win32::showCommandOutput(start.output, start.exitCode != 0);
        return start.exitCode;
    }
    if (start.kind == tessorin::ProgramStart::Kind::AllBoards) {
        tessorin::win32::CommandLines lines;
        // The end goes to the stations, not this process, which still adds up their totals once they have ended.
        tessorin::win32::takeConsoleEnds([] { tessorin::ChildProcess::signalEveryChild(0); });
        return tessorin::runAllBoards(tessorin::currentProgramPath(), start.boardStations,
                                      [&lines](const std::string& line) { lines.write(line); },
                                      start.recordLeftChip);
    }
    // A station with options ends after the chip in hand; the seed's form keeps its default end.
    if (start.stationRun) {
        tessorin::win32::takeConsoleEnds(tessorin::download::requestStationEnd);
        tessorin::win32::takeParentEnds(tessorin::download::requestStationEnd);
    }
    // The host outlives the application object: its controls stay valid for a
    // download worker that is still finishing when the window has closed.
    std::optional<tessorin::download::StationJob> stationJob;
    if (start.kind == tessorin::ProgramStart::Kind::Station) stationJob = std::move(start.stationJob);
    tessorin::win32::Win32DialogHost host(std::move(stationJob), start.stationRun.get());
    tessorin::CBrevoxDownloadToolApp application(host);
    application.InitInstance();
    return start.stationRun ? start.stationRun->exitCode() : 0;
}
