#pragma once
// The command line of both platforms: no argument opens the window; otherwise
// options come first, then the image and its presets, which are taken as they
// stand. Without options this is the seed's form `tessorin IMAGE [PRESETS]`,
// unchanged. Words that begin with "--" are options until the first other
// word, or until "--" itself, after which an image name may begin with "--".
// A first word "-h" is help, so an image of that name needs "--" before it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "download/station_job.h"
#include "station/station_settings.h"

namespace tessorin {

struct StationCommandLine {
    enum class Action {
        Window,      // no argument: the interactive window
        Station,     // an image: the download station
        Help,        // --help, or -h as the first word
        Version,     // --version
        ListBoards,  // --list-boards
        Refused,     // a bad command line; problem says what is wrong
    };
    Action action = Action::Window;
    // The station's options; withOptions is true when any was given.
    bool withOptions = false;
    std::string resultsPath;
    std::optional<uint64_t> chipCount;
    std::string boardId;
    // --job FILE: the image, presets, identity fields and store come from the job.
    std::string jobPath;
    // --store FILE|postgresql://...: every station start and end and finished chip on record.
    std::string storeLocation;
    // --all-boards: one station process per board present instead of this one.
    bool allBoards = false;
    // Station: the image and its presets, as the seed's command line has them.
    download::StationJob job;
    std::string problem;
};

StationCommandLine parseStationCommandLine(const std::vector<std::string>& arguments);

// The settings of the station the command line asks for; consoleIsTerminal is
// the platform's to say.
StationSettings stationSettings(const StationCommandLine& line, bool consoleIsTerminal);

// The options and the forms of the command line, for --help and after a refusal.
const char* stationUsage();

}  // namespace tessorin
