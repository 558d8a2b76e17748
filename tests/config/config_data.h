#pragma once
// The checked-in INI files of the configuration tests.
#include <filesystem>
#include <string>

#include "base/paths.h"

namespace tessorin::testing {

inline std::string configDataPath(const std::string& name) {
    return pathToUtf8(std::filesystem::path(__FILE__).parent_path() / "data" / name);
}

}  // namespace tessorin::testing
