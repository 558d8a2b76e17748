#include "config/profile_read.h"

#include <filesystem>
#include <system_error>

#include "base/paths.h"

namespace tessorin {

std::string absoluteIniPath(const std::string& iniPath) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(pathFromUtf8(iniPath), error);
    return error || iniPath.empty() ? iniPath : pathToUtf8(absolute);
}

std::string readProfileString(std::string_view section, std::string_view key, const std::string& iniPath) {
    return readPlatformProfile(section, key, absoluteIniPath(iniPath), kProfileBufferUnits);
}

std::string readProfileStringLong(std::string_view section, std::string_view key, const std::string& iniPath) {
    return readPlatformProfile(section, key, absoluteIniPath(iniPath), kProfileLongBufferUnits);
}

}  // namespace tessorin
