#include <cstddef>
#include <array>

#include "base/format.h"
#include "base/numbers.h"
#include "device/board_commands.h"
#include "report/log.h"

namespace tessorin {

bool writeHexWords(int32_t startAddress, std::string_view hexText) {
    bool allSent = true;
    const std::size_t groups = (hexText.size() + 7) / 8;
    for (std::size_t g = 0; g < groups; ++g) {
        const std::string reversed = reverseHexPairs(hexText.substr(8 * g, 8));
        writeLog(formatText("reverse:%s\n", {reversed}));
        const uint32_t word = parseNumberInBase(reversed, 16);
        const std::array<uint8_t, 4> bytes = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                                              static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
        // Unsigned address arithmetic: a start near the top of the range wraps instead of overflowing.
        const auto address = static_cast<int32_t>(static_cast<uint32_t>(startAddress) + 4 * static_cast<uint32_t>(g));
        if (!boardWriteMemory(true, bytes.data(), address, 4)) allSent = false;
    }
    return allSent;
}

}  // namespace tessorin
