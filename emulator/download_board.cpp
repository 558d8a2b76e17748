#include "emulator/download_board.h"

#include <cstddef>
#include <algorithm>

namespace tessorin::emulator {
namespace {

constexpr int kMaxReadLength = 63;

// A write carries at most what fits between its data start and the end of the report.
int writeLength(const Report& request, int dataStart) { return std::min<int>(request[2], kReportSize - dataStart); }

}  // namespace

std::optional<Report> DownloadBoard::handle(const Report& request) {
    const uint8_t code = request[1];
    const int length = std::min<int>(request[2], kMaxReadLength);
    const uint32_t low16 = request[3] | request[4] << 8;
    const uint32_t low24 = low16 | static_cast<uint32_t>(request[5]) << 16;
    const bool fixedAddress = (code & 1) != 0;
    switch (code) {
        case 0x18: return codeReply(chip_ ? handshakeReply_ : 0);
        case 0x1C: return codeReply(chip_ ? readyReply_ : 0);
        case 0x10:
        case 0x11: return readChip(continuation_, fixedAddress, length);
        case 0x14:
        case 0x15: return readChip(low16, fixedAddress, length);
        case 0x1D: return readChip(0x10000 | low16, false, length);
        case 0x24: return readChip(low24, false, length);
        case 0x26: return readChip(0x1000000 | low24, false, length);
        case 0x12:
        case 0x13: writeChip(continuation_, fixedAddress, &request[3], writeLength(request, 3)); break;
        case 0x16:
        case 0x17: writeChip(low16, fixedAddress, &request[5], writeLength(request, 5)); break;
        case 0x1E: writeChip(0x10000 | low16, false, &request[5], writeLength(request, 5)); break;
        case 0x25: writeChip(low24, false, &request[6], writeLength(request, 6)); break;
        default: ++unknownRequests_; break;
    }
    return std::nullopt;
}

Report DownloadBoard::codeReply(uint8_t code) const {
    Report reply{};
    reply[0] = kReplyReportId;
    reply[1] = code;
    return reply;
}

Report DownloadBoard::readChip(uint32_t address, bool fixedAddress, int length) {
    Report reply{};
    reply[0] = kReplyReportId;
    for (int i = 0; i < length; ++i) {
        const uint32_t at = fixedAddress ? address : address + static_cast<uint32_t>(i);
        reply[static_cast<std::size_t>(1 + i)] = chip_ ? chip_->read(at) : 0;
    }
    continuation_ = fixedAddress ? address : address + static_cast<uint32_t>(length);
    return reply;
}

void DownloadBoard::writeChip(uint32_t address, bool fixedAddress, const uint8_t* data, int length) {
    if (chip_ && fixedAddress) {
        chip_->writeFixed(address, data, length);
    } else if (chip_) {
        for (int i = 0; i < length; ++i) chip_->write(address + static_cast<uint32_t>(i), data[i]);
    }
    continuation_ = fixedAddress ? address : address + static_cast<uint32_t>(length);
}

}  // namespace tessorin::emulator
