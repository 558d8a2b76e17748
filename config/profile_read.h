#pragma once
// Reading one value of a private-profile (INI) file. The platform file beside
// this one supplies readPlatformProfile: GetPrivateProfileStringW on Windows,
// our own reader elsewhere. Texts are UTF-8; sizes count UTF-16 code units
// including the terminator, as the Windows call does.
#include <cstddef>
#include <string>
#include <string_view>

namespace tessorin {

constexpr size_t kProfileBufferUnits = 260;
constexpr size_t kProfileLongBufferUnits = 10240;

// The value of key in section of the file, at most bufferUnits - 1 UTF-16
// units long; "" when the file, the section or the key does not exist.
std::string readPlatformProfile(std::string_view section, std::string_view key, const std::string& iniPath,
                                size_t bufferUnits);

// Sections common and chip_impl: at most 259 units.
std::string readProfileString(std::string_view section, std::string_view key, const std::string& iniPath);
// Section ext: at most 10239 units.
std::string readProfileStringLong(std::string_view section, std::string_view key, const std::string& iniPath);

}  // namespace tessorin
