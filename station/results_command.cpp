#include "station/results_command.h"

namespace tessorin {

bool isResultsCommand(const std::vector<std::string>& arguments) {
    return arguments.size() > 2 && arguments[1] == "results" && arguments[2].starts_with("--store");
}

}  // namespace tessorin
