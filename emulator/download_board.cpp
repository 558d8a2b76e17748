#include "emulator/download_board.h"

#include <cstddef>
#include <algorithm>

namespace tessorin::emulator {
namespace {

constexpr int kMaxReadLength = 63;

// The request codes as the board understands them, kept apart from the host's
// own names so that a wrong code on either side shows in the tests.
constexpr uint8_t kHandshake = 0x18;
constexpr uint8_t kReadyPoll = 0x1C;
constexpr uint8_t kReadOn = 0x10;            // and 0x11: at one address
constexpr uint8_t kWriteOn = 0x12;           // and 0x13
constexpr uint8_t kRead16 = 0x14;            // and 0x15
constexpr uint8_t kWrite16 = 0x16;           // and 0x17
constexpr uint8_t kReadSecond64K = 0x1D;
constexpr uint8_t kWriteSecond64K = 0x1E;
constexpr uint8_t kRead24 = 0x24;
constexpr uint8_t kWrite24 = 0x25;
constexpr uint8_t kReadAbove24 = 0x26;
constexpr uint8_t kOneAddress = 0x01;
constexpr uint32_t kSecond64K = 0x10000;
constexpr uint32_t kAbove24 = 0x1000000;

// A write carries at most what fits between its data start and the end of the report.
int writeLength(const Report& request, int dataStart) { return std::min<int>(request[2], kReportSize - dataStart); }

}  // namespace

std::optional<Report> DownloadBoard::handle(const Report& request) {
    const uint8_t code = request[1];
    const int length = std::min<int>(request[2], kMaxReadLength);
    const uint32_t low16 = request[3] | request[4] << 8;
    const uint32_t low24 = low16 | static_cast<uint32_t>(request[5]) << 16;
    const bool fixedAddress = (code & kOneAddress) != 0;
    switch (code) {
        case kHandshake: return codeReply(chip_ ? handshakeReply_ : 0);
        case kReadyPoll: return codeReply(chip_ ? readyReply_ : 0);
        case kReadOn:
        case kReadOn | kOneAddress: return readChip(continuation_, fixedAddress, length);
        case kRead16:
        case kRead16 | kOneAddress: return readChip(low16, fixedAddress, length);
        case kReadSecond64K: return readChip(kSecond64K | low16, false, length);
        case kRead24: return readChip(low24, false, length);
        case kReadAbove24: return readChip(kAbove24 | low24, false, length);
        case kWriteOn:
        case kWriteOn | kOneAddress: writeChip(continuation_, fixedAddress, &request[3], writeLength(request, 3)); break;
        case kWrite16:
        case kWrite16 | kOneAddress: writeChip(low16, fixedAddress, &request[5], writeLength(request, 5)); break;
        case kWriteSecond64K: writeChip(kSecond64K | low16, false, &request[5], writeLength(request, 5)); break;
        case kWrite24: writeChip(low24, false, &request[6], writeLength(request, 6)); break;
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
