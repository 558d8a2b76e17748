#include <windows.h>

#include <vector>

#include "base/text.h"
#include "config/profile_read.h"

namespace tessorin {

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

}  // namespace tessorin
