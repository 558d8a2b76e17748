#include "base/sha256.h"

namespace tessorin {

std::string sha256Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (uint8_t byte : sha256Digest(bytes)) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}

}  // namespace tessorin
