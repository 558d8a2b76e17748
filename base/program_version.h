#pragma once
// The program's version (project()'s in CMakeLists.txt) and, for a build
// between releases, its git description, which the caption never shows.
#include <string>
#include <string_view>

namespace tessorin {

// "Tessorin V2.4.6": the window's caption and the log's version line.
const char* programCaption();

// The line --version prints: "tessorin 2.4.6", or between releases
// "tessorin 2.4.6 (git v2.4.6-3-g0123456789)".
std::string versionLine(std::string_view program);

// The same for a given description, empty for a release.
std::string versionLine(std::string_view program, std::string_view description);

}  // namespace tessorin
