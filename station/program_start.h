#pragma once
// What both platforms' programs do with the command line before any window
// exists: answer --help, --list-boards and a bad command line at once, or
// prepare the station (its results file opened, its board chosen and locked),
// one station per board (--all-boards) or the window.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/board_lock.h"
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
    // Station: its board's lock, held for the station's life (none without a board at the start,
    // or for boards no other process reaches).
    std::unique_ptr<BoardLock> boardLock;
    // AllBoards: the station process of each board present, and the results
    // line of a chip a station left in hand when it ended.
    std::vector<BoardStation> boardStations;
    LeftChipRecorder recordLeftChip;
    // Answered: the exit code, and the text for standard output (exit code 0) or standard error.
    int exitCode = 0;
    std::string output;
};

// say gets the line a station shows before it waits for a board another process holds.
ProgramStart prepareProgramStart(const std::vector<std::string>& arguments, bool consoleIsTerminal,
                                 const std::function<void(const std::string&)>& say = {});

}  // namespace tessorin
