#pragma once
// The page's files (dashboard/web/), built into the program at build time.
#include <string_view>
#include <vector>

namespace tessorin::dashboard {

struct WebFile {
    std::string_view name;  // index.html, dashboard.css, ...
    std::string_view type;  // its Content-Type
    std::string_view text;
};

const std::vector<WebFile>& webFiles();

}  // namespace tessorin::dashboard
