#include "config/ini_file_reader.h"
#include "config/profile_read.h"

namespace tessorin {

std::string readPlatformProfile(std::string_view section, std::string_view key, const std::string& iniPath,
                                size_t bufferUnits) {
    return readIniFileValue(iniPath, section, key, bufferUnits);
}

std::unique_ptr<ProfileReader> openProfileForLoad(const std::string& iniPath) {
    return std::make_unique<IniDocumentProfile>(iniPath, IniDocument::fromFile(iniPath));
}

}  // namespace tessorin
