#include "config/ini_file_reader.h"
#include "config/profile_read.h"

namespace tessorin {

std::string readPlatformProfile(std::string_view section, std::string_view key, const std::string& iniPath,
                                size_t bufferUnits) {
    return readIniFileValue(iniPath, section, key, bufferUnits);
}

}  // namespace tessorin
