#include <cstddef>
#include <hidapi/hidapi.h>

#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "device/hidraw_nodes.h"
#include "device/platform_hid_transport.h"

namespace tessorin {
namespace {

hid_device* toDevice(HidHandle handle) { return reinterpret_cast<hid_device*>(handle); }

// hidapi's set-up is not thread-safe; do it once for the process.
bool hidapiReady() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = hid_init() == 0; });
    return ready;
}

// "1-1.2:1.0": bus, ports, then configuration and interface.
bool isUsbInterfaceName(const std::string& name) {
    const size_t colon = name.find(':');
    const size_t dash = name.find('-');
    if (colon == std::string::npos || dash == std::string::npos || dash == 0 || dash > colon) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i != dash && i != colon && c != '.' && !std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// The USB port path of a hidraw node ("/dev/hidraw3" -> "1-1.2"), as dfu-util and
// the kernel name it, which stays the same for a port however often a board is
// replugged; the node itself where sysfs does not tell.
std::string usbPathOf(const std::string& devicePath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path device = fs::canonical(fs::path("/sys/class/hidraw") / fs::path(devicePath).filename() / "device", error);
    if (error) return devicePath;
    std::string found;
    for (const fs::path& part : device) {
        const std::string name = part.string();
        if (isUsbInterfaceName(name)) found = name.substr(0, name.find(':'));
    }
    return found.empty() ? devicePath : found;
}

class HidapiTransport final : public HidTransport {
public:
    std::vector<HidDeviceEntry> enumerate(uint16_t vendorId, uint16_t productId) override {
        std::vector<HidDeviceEntry> entries;
        for (HidrawNode& node : hidrawNodes(vendorId, productId))
            entries.push_back({node.devicePath, usbPathOf(node.devicePath), std::move(node.serial)});
        return entries;
    }

    HidHandle openPath(const std::string& devicePath) override {
        hid_device* device = hidapiReady() ? hid_open_path(devicePath.c_str()) : nullptr;
        return device ? reinterpret_cast<HidHandle>(device) : kInvalidHidHandle;
    }

    // Enumeration order decides; an interface that cannot be opened is skipped.
    HidHandle openFirst(uint16_t vendorId, uint16_t productId) override {
        for (const HidrawNode& node : hidrawNodes(vendorId, productId)) {
            const HidHandle handle = openPath(node.devicePath);
            if (handle != kInvalidHidHandle) return handle;
        }
        return kInvalidHidHandle;
    }

    // Closing the hidraw file also drops its input queue: a reply still on its
    // way to an abandoned request can never reach the handle opened after it.
    void close(HidHandle handle) override {
        if (handle != kInvalidHidHandle) hid_close(toDevice(handle));
    }

    // Byte 0 is our report id 0xF2, which is what hidapi expects there, so the
    // report goes out as it stands. hidraw has no write time-out of its own: the
    // kernel's USB transfer time-out bounds a write to a hung board.
    TransferResult write(HidHandle handle, const uint8_t* report, int) override {
        int written = hid_write(toDevice(handle), report, kReportSize);
        if (written < 0) return {};
        return {true, written};
    }

    // hidraw hands numbered reports over with the report id in byte 0, which is
    // the layout the board sent. A time-out (0) is a failed transfer. The read
    // lands in a private buffer and is copied only when it completed.
    TransferResult read(HidHandle handle, uint8_t* report, int timeoutMs) override {
        std::array<uint8_t, kReportSize> incoming{};
        int count = hid_read_timeout(toDevice(handle), incoming.data(), incoming.size(), timeoutMs);
        if (count <= 0) return {};
        std::memcpy(report, incoming.data(), static_cast<std::size_t>(count));
        return {true, count};
    }

    bool sharedWithOtherProcesses() const override { return true; }
};

}  // namespace

HidTransport& platformHidTransport() {
    static HidapiTransport transport;
    return transport;
}

}  // namespace tessorin
