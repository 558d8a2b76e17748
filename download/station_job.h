#pragma once
// What the station downloads into every chip: the image and the register
// presets given after it, as the command line has them.
#include <string>
#include <vector>

namespace tessorin::download {

struct StationJob {
    std::string imagePath;
    std::vector<std::string> presets;  // "ADDRESS VALUE" each
    bool operator==(const StationJob&) const = default;
};

}  // namespace tessorin::download
