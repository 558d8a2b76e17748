#include <cstddef>
#include <hidapi/hidapi.h>

#include <array>
#include <cstring>
#include <mutex>

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

class HidapiTransport final : public HidTransport {
public:
    HidHandle openFirst(uint16_t vendorId, uint16_t productId) override {
        if (!hidapiReady()) return kInvalidHidHandle;
        hid_device_info* devices = hid_enumerate(vendorId, productId);
        hid_device* found = nullptr;
        // Enumeration order decides; an interface that cannot be opened is skipped.
        for (hid_device_info* info = devices; info && !found; info = info->next) {
            if (info->vendor_id == vendorId && info->product_id == productId && info->path)
                found = hid_open_path(info->path);
        }
        hid_free_enumeration(devices);
        return found ? reinterpret_cast<HidHandle>(found) : kInvalidHidHandle;
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
};

}  // namespace

HidTransport& platformHidTransport() {
    static HidapiTransport transport;
    return transport;
}

}  // namespace tessorin
