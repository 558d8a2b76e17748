#pragma once
// Reading one value of a private-profile (INI) file. The platform file beside
// this one supplies readPlatformProfile and openProfileForLoad:
// GetPrivateProfileStringW on Windows, our own reader elsewhere. Texts are
// UTF-8; sizes count UTF-16 code units including the terminator, as the Windows
// call does.
#include <cstddef>
#include <memory>
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

// The reads of one INI load, with the answers readPlatformProfile gives. Made
// for one load and dropped after it: reads outside a load go to the file as it
// is at that moment.
class ProfileReader {
public:
    explicit ProfileReader(std::string iniPath) : iniPath_(std::move(iniPath)) {}
    virtual ~ProfileReader() = default;
    ProfileReader(const ProfileReader&) = delete;
    ProfileReader& operator=(const ProfileReader&) = delete;

    // The path as the caller gave it.
    const std::string& iniPath() const { return iniPath_; }
    virtual std::string read(std::string_view section, std::string_view key, size_t bufferUnits) const = 0;
    std::string readString(std::string_view section, std::string_view key) const {
        return read(section, key, kProfileBufferUnits);
    }
    std::string readLong(std::string_view section, std::string_view key) const {
        return read(section, key, kProfileLongBufferUnits);
    }

private:
    std::string iniPath_;
};

// Our own reader decodes the file once, here, so a load costs time linear in
// the file whatever the number of keys it reads.
std::unique_ptr<ProfileReader> openProfileForLoad(const std::string& iniPath);

// GetPrivateProfileStringW looks for a relative name in the Windows folder, not
// in the current one where the existence test found it.
std::string absoluteIniPath(const std::string& iniPath);

}  // namespace tessorin
