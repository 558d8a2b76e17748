#include "config/profile_read.h"

namespace tessorin {

std::string readProfileString(std::string_view section, std::string_view key, const std::string& iniPath) {
    return readPlatformProfile(section, key, iniPath, kProfileBufferUnits);
}

std::string readProfileStringLong(std::string_view section, std::string_view key, const std::string& iniPath) {
    return readPlatformProfile(section, key, iniPath, kProfileLongBufferUnits);
}

}  // namespace tessorin
