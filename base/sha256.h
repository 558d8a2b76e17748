#pragma once
// SHA-256 from the platform's own library: libcrypto on Linux, CNG (bcrypt) on Windows.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessorin {

using Sha256Digest = std::array<uint8_t, 32>;

// Defined by the platform file; raises std::runtime_error when the library fails.
Sha256Digest sha256Digest(std::string_view bytes);
// The digest as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace tessorin
