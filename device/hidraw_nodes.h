#pragma once
// The hidraw nodes of the devices with a vendor and product id, read from udev
// (Linux only). hidapi's own enumeration is not used: the Debian 12 release
// (0.13.1) dereferences a null uevent when a device leaves during the scan,
// which a board unplugged while another station enumerates makes happen.
#include <cstdint>
#include <string>
#include <vector>

namespace tessorin {

struct HidrawNode {
    std::string devicePath;  // "/dev/hidrawN"
    std::string serial;      // HID_UNIQ as UTF-8; empty when the device reports none
};

// In udev's order (by sysfs path); a device that goes while it is read is left out.
std::vector<HidrawNode> hidrawNodes(uint16_t vendorId, uint16_t productId);

}  // namespace tessorin
