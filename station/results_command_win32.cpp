#include "station/results_command.h"

namespace tessorin {

int runResultsCommand(const std::vector<std::string>&, std::string& problem) {
    problem = "this Windows build has no station store: ask the store from the Linux station";
    return 2;
}

}  // namespace tessorin
