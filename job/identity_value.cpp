#include "job/identity_value.h"

#include <algorithm>
#include <cstdio>

namespace tessorin::job {

std::vector<uint8_t> valueBytes(const IdentityField& field, int64_t value) {
    std::vector<uint8_t> bytes(field.width);
    for (int i = 0; i < field.width; ++i) bytes[i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
    if (field.order == ByteOrder::Big) std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

std::string shownValue(const IdentityField& field, int64_t value) {
    if (field.shown == Shown::Decimal) return std::to_string(value);
    std::string text;
    for (int i = field.width - 1; i >= 0; --i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>((static_cast<uint64_t>(value) >> (8 * i)) & 0xFF));
        if (field.shown == Shown::Address && !text.empty()) text += ':';
        text += pair;
    }
    return text;
}

}  // namespace tessorin::job
