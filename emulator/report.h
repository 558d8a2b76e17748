#pragma once
// One 64-byte HID report as the emulated board sees it.
#include <array>
#include <cstdint>

#include "device/hid_transport.h"

namespace tessorin::emulator {

using Report = std::array<uint8_t, kReportSize>;

// The report id the emulated board puts in byte 0 of its replies. Hosts never
// look at it; it differs from the request id so a host that forgets to store
// 0xF2 before sending shows up in the trace.
constexpr uint8_t kReplyReportId = 0xF1;

}  // namespace tessorin::emulator
