#pragma once
// tessorin dashboard --store STORE [--listen ADDR:PORT]: the line's live page
// and its JSON API over the store, on 127.0.0.1:8080 unless told otherwise.
#include <string>
#include <vector>

namespace tessorin::dashboard {

bool isDashboardCommand(const std::vector<std::string>& arguments);

// Serves until the process is ended; 2 for a bad command line or an address it cannot listen on.
int runDashboardCommand(const std::vector<std::string>& arguments);

}  // namespace tessorin::dashboard
