#pragma once
// tessorin results --store STORE summary | failures | find VALUE | pools |
// export --csv | --jsonl: what a store holds, on standard output.
#include <string>
#include <vector>

namespace tessorin {

// Whether the words ask for it: "results" and then --store.
bool isResultsCommand(const std::vector<std::string>& arguments);

// 0 after the answer went to standard output; 2, with the reason in problem,
// for a bad command line or a store that cannot be read.
int runResultsCommand(const std::vector<std::string>& arguments, std::string& problem);

}  // namespace tessorin
