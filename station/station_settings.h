#pragma once
// What a station started with options does beyond the seed's loop.
#include <cstdint>
#include <optional>
#include <string>

namespace tessorin {

struct StationSettings {
    std::string resultsPath;             // empty: no results file
    std::optional<uint64_t> chipCount;   // stop once this many chips have finished
    bool consoleIsTerminal = false;      // the progress updates one line in place
};

}  // namespace tessorin
