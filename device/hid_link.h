#pragma once
// The one process-wide connection to the download board and the report exchange.
#include <array>
#include <cstddef>
#include <cstdint>

#include "device/board_protocol.h"
#include "device/hid_transport.h"

namespace tessorin {

struct DevicePacket {
    std::array<uint8_t, kReportSize> bytes{};
    uint8_t& operator[](int i) { return bytes[static_cast<std::size_t>(i)]; }
    uint8_t operator[](int i) const { return bytes[static_cast<std::size_t>(i)]; }
    void clear() { bytes.fill(0); }
};

// The current handle of HidLink (kInvalidHidHandle when closed).
HidHandle hidLink();
void setHidLink(HidHandle handle);
bool hidLinkOpen();
// Closes HidLink if it is open and marks it invalid.
void closeHidLink();

// The first board present, or the chosen one (device/board_choice.h), opened;
// kInvalidHidHandle if there is none. Not stored in HidLink.
[[nodiscard]] HidHandle openDownloadBoard();

// Stores 0xF2 in byte 0 and writes all 64 bytes; true when all went out.
// A failed transfer resets the link: close, then rediscover at once.
[[nodiscard]] bool writePacket(DevicePacket& packet);
// True when exactly 64 bytes were read; otherwise the packet holds 64 zeros.
// A failed transfer resets the link; a short read does not.
[[nodiscard]] bool readPacket(DevicePacket& packet);
// Reports that went out whole since the process started.
uint64_t reportsSent();

// Busy-waits at least that long on the clock seam's high-resolution counter.
void delayMicroseconds(double micros);

}  // namespace tessorin
