#include "config/ini_file_reader.h"
#include "config/profile_read.h"

namespace tessorin {
namespace {

class DecodedProfile final : public ProfileReader {
public:
    explicit DecodedProfile(const std::string& iniPath)
        : ProfileReader(iniPath), document_(IniDocument::fromFile(iniPath)) {}
    std::string read(std::string_view section, std::string_view key, size_t bufferUnits) const override {
        return document_.value(section, key, bufferUnits);
    }

private:
    IniDocument document_;
};

}  // namespace

std::string readPlatformProfile(std::string_view section, std::string_view key, const std::string& iniPath,
                                size_t bufferUnits) {
    return readIniFileValue(iniPath, section, key, bufferUnits);
}

std::unique_ptr<ProfileReader> openProfileForLoad(const std::string& iniPath) {
    return std::make_unique<DecodedProfile>(iniPath);
}

}  // namespace tessorin
