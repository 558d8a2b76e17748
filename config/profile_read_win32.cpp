#include <windows.h>

#include <vector>

#include "base/text.h"
#include "config/profile_read.h"

namespace tessorin {
namespace {

// Each read is the real call: the file is Windows' to parse, key by key.
class PlatformProfile final : public ProfileReader {
public:
    explicit PlatformProfile(const std::string& iniPath)
        : ProfileReader(iniPath), absolutePath_(absoluteIniPath(iniPath)) {}
    std::string read(std::string_view section, std::string_view key, size_t bufferUnits) const override {
        return readPlatformProfile(section, key, absolutePath_, bufferUnits);
    }

private:
    std::string absolutePath_;
};

}  // namespace

std::string readPlatformProfile(std::string_view section, std::string_view key, const std::string& iniPath,
                                size_t bufferUnits) {
    if (bufferUnits == 0) return {};
    const std::u16string wideSection = utf8ToUtf16(section), wideKey = utf8ToUtf16(key), widePath = utf8ToUtf16(iniPath);
    std::vector<char16_t> buffer(bufferUnits, u'\0');
    DWORD copied = GetPrivateProfileStringW(
        reinterpret_cast<LPCWSTR>(wideSection.c_str()), reinterpret_cast<LPCWSTR>(wideKey.c_str()), L"",
        reinterpret_cast<LPWSTR>(buffer.data()), static_cast<DWORD>(bufferUnits),
        reinterpret_cast<LPCWSTR>(widePath.c_str()));
    return utf16ToUtf8(std::u16string_view(buffer.data(), copied));
}

std::unique_ptr<ProfileReader> openProfileForLoad(const std::string& iniPath) {
    return std::make_unique<PlatformProfile>(iniPath);
}

}  // namespace tessorin
