#include "tests/architecture/layer_rules.h"

#include <algorithm>
#include <sstream>

namespace tessorin::testing {

std::vector<std::string> forbiddenIncludes(const LayerRule& rule, std::string_view source) {
    std::vector<std::string> found;
    std::istringstream lines{std::string(source)};
    std::string line;
    while (std::getline(lines, line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 1, "#") != 0) continue;
        const size_t directive = line.find_first_not_of(" \t", start + 1);
        if (directive == std::string::npos || line.compare(directive, 7, "include") != 0) continue;
        const size_t open = line.find('"', directive);
        const size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close == std::string::npos) continue;
        const std::string header = line.substr(open + 1, close - open - 1);
        const size_t slash = header.find('/');
        if (slash == std::string::npos) continue;  // beside the including file
        const std::string_view folder = std::string_view(header).substr(0, slash);
        const bool allowed = folder == rule.folder ||
                             std::find(rule.below.begin(), rule.below.end(), folder) != rule.below.end();
        if (!allowed) found.push_back(header);
    }
    return found;
}

}  // namespace tessorin::testing
