#pragma once
// What both platforms' programs do with the command line before any window
// exists: answer --help, --list-boards and a bad command line at once, or
// prepare the station (its results file opened, its board chosen), one station
// per board (--all-boards) or the window.
#include <memory>
#include <string>
#include <vector>

#include "download/station_job.h"
#include "station/all_boards_station.h"
#include "station/station_run.h"

namespace tessorin {

struct ProgramStart {
    enum class Kind { Window, Station, AllBoards, Answered };
    Kind kind = Kind::Window;
    // Station: what it downloads into every chip.
    download::StationJob stationJob;
    // Station started with options; none for the seed's form.
    std::unique_ptr<StationRun> stationRun;
    // AllBoards: the station process of each board present.
    std::vector<BoardStation> boardStations;
    // Answered: the exit code, and the text for standard output (exit code 0) or standard error.
    int exitCode = 0;
    std::string output;
};

ProgramStart prepareProgramStart(const std::vector<std::string>& arguments, bool consoleIsTerminal);

}  // namespace tessorin
