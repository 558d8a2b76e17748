#pragma once
// The transport of the platform this build is for: hidapi (hidraw) on Linux,
// SetupAPI and overlapped I/O on Windows. Each platform file defines it.
#include "device/hid_transport.h"

namespace tessorin {

HidTransport& platformHidTransport();

}  // namespace tessorin
