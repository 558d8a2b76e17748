#pragma once
// The download board: turns each request report into an access to the chip
// behind it and answers the commands that have a reply.
#include <cstdint>
#include <memory>
#include <optional>

#include "emulator/chip_model.h"
#include "emulator/report.h"

namespace tessorin::emulator {

class DownloadBoard {
public:
    // The reply to a request, when its command has one.
    std::optional<Report> handle(const Report& request);

    ChipModel* chip() { return chip_.get(); }
    // A fresh chip with its own memory, as when a chip is swapped at the station.
    void attachChip(uint16_t chipId) { chip_ = std::make_unique<ChipModel>(chipId); }
    void detachChip() { chip_.reset(); }

    // The handshake reply while a chip is attached (2: linked); without a chip it is 0.
    void setHandshakeReply(uint8_t code) { handshakeReply_ = code; }
    // The readiness reply while a chip is attached (1 or 5: ready); without a chip it is 0.
    void setReadyReply(uint8_t code) { readyReply_ = code; }
    // Requests with a code the board does not know; they are ignored.
    int unknownRequests() const { return unknownRequests_; }

private:
    Report codeReply(uint8_t code) const;
    Report readChip(uint32_t address, bool fixedAddress, int length);
    void writeChip(uint32_t address, bool fixedAddress, const uint8_t* data, int length);

    std::unique_ptr<ChipModel> chip_;
    uint8_t handshakeReply_ = 2;
    uint8_t readyReply_ = 1;
    // Where a continuation report goes on: after the last byte of an
    // incrementing transfer, at the same address after a fixed-address one.
    uint32_t continuation_ = 0;
    int unknownRequests_ = 0;
};

}  // namespace tessorin::emulator
