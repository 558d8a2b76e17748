#pragma once
// A file's whole text for comparisons; empty when it cannot be read.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "base/paths.h"

namespace tessorin::testing {

// By UTF-8 path. A std::string must not be turned into a path implicitly: on
// Windows that reads it in the ANSI code page.
inline std::string fileText(const std::string& utf8Path) { return readWholeFile(utf8Path).value_or(""); }
inline std::string fileText(const std::filesystem::path& path) { return fileText(pathToUtf8(path)); }

// The text's lines, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace tessorin::testing
