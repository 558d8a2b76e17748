#pragma once
// Our own private-profile reader, giving the results GetPrivateProfileStringW
// gives on the same file. Built on every platform so that the Windows suite can
// compare it with the real call.
#include <cstddef>
#include <string>
#include <string_view>

namespace tessorin {

// The file's bytes as UTF-8 text: a UTF-8 BOM is dropped, UTF-16LE and UTF-16BE
// with BOM are converted, anything else is taken as UTF-8 (invalid sequences
// become U+FFFD).
std::string decodeIniBytes(std::string_view bytes);

// Looks key up in section of UTF-8 INI text: names without regard to ASCII
// case, the first matching section and the first matching key in it, blanks
// around key and value trimmed, one pair of enclosing quotes removed, the value
// cut to bufferUnits - 1 UTF-16 units. "" when not found.
std::string findIniValue(std::string_view iniText, std::string_view section, std::string_view key,
                         size_t bufferUnits);

// The same on a file by UTF-8 path; "" when the file cannot be read.
std::string readIniFileValue(const std::string& iniPath, std::string_view section, std::string_view key,
                             size_t bufferUnits);

}  // namespace tessorin
