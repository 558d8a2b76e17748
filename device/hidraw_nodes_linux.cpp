#include "device/hidraw_nodes.h"

#include <libudev.h>

#include <cstdio>
#include <memory>

#include "base/text.h"

namespace tessorin {
namespace {

using Udev = std::unique_ptr<udev, decltype(&udev_unref)>;
using Enumeration = std::unique_ptr<udev_enumerate, decltype(&udev_enumerate_unref)>;
using Device = std::unique_ptr<udev_device, decltype(&udev_device_unref)>;

// HID_ID is "bus:vendor:product" in hexadecimal ("0003:00005D17:00004A02").
bool hidIdMatches(const char* hidId, uint16_t vendorId, uint16_t productId) {
    unsigned bus = 0, vendor = 0, product = 0;
    if (!hidId || std::sscanf(hidId, "%x:%x:%x", &bus, &vendor, &product) != 3) return false;
    return vendor == vendorId && product == productId;
}

}  // namespace

std::vector<HidrawNode> hidrawNodes(uint16_t vendorId, uint16_t productId) {
    std::vector<HidrawNode> nodes;
    Udev context(udev_new(), udev_unref);
    if (!context) return nodes;
    Enumeration scan(udev_enumerate_new(context.get()), udev_enumerate_unref);
    if (!scan || udev_enumerate_add_match_subsystem(scan.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(scan.get()) < 0)
        return nodes;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(scan.get())) {
        // Every look-up below may find nothing once the device has gone: then it is skipped.
        Device node(udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)), udev_device_unref);
        if (!node) continue;
        const char* devicePath = udev_device_get_devnode(node.get());
        udev_device* hid = udev_device_get_parent_with_subsystem_devtype(node.get(), "hid", nullptr);
        if (!devicePath || !hid) continue;
        if (!hidIdMatches(udev_device_get_property_value(hid, "HID_ID"), vendorId, productId)) continue;
        const char* serial = udev_device_get_property_value(hid, "HID_UNIQ");
        // The serial reaches JSON and the console: invalid UTF-8 becomes U+FFFD.
        nodes.push_back({devicePath, serial ? validUtf8(serial) : std::string()});
    }
    return nodes;
}

}  // namespace tessorin
