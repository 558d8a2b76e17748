#pragma once
// A file's whole text for comparisons; empty when it cannot be read.
#include <filesystem>
#include <string>

#include "base/paths.h"

namespace tessorin::testing {

inline std::string fileText(const std::filesystem::path& path) {
    return readWholeFile(pathToUtf8(path)).value_or("");
}

}  // namespace tessorin::testing
