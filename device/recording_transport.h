#pragma once
// A transport over another one that keeps the wire trace (device/wire_trace.h)
// of what really went over it: a request once its write completed, a reply
// with the bytes a completed read handed over. Failed transfers leave no line.
// It works over any transport, the platform's with a real board as well as the
// emulator, and changes nothing that passes through it.
#include <mutex>
#include <string>
#include <vector>

#include "device/hid_transport.h"

namespace tessorin {

class RecordingTransport final : public HidTransport {
public:
    explicit RecordingTransport(HidTransport& inner) : inner_(inner) {}

    HidHandle openFirst(uint16_t vendorId, uint16_t productId) override;
    std::vector<HidDeviceEntry> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidHandle openPath(const std::string& devicePath) override;
    void close(HidHandle handle) override;
    TransferResult write(HidHandle handle, const uint8_t* report, int timeoutMs) override;
    TransferResult read(HidHandle handle, uint8_t* report, int timeoutMs) override;
    bool sharedWithOtherProcesses() const override { return inner_.sharedWithOtherProcesses(); }

    // One line a report, each ending in "\n".
    std::string trace() const;

private:
    void record(const std::string& line);

    HidTransport& inner_;
    mutable std::mutex mutex_;  // a download worker and the window's thread both send
    std::string trace_;
};

}  // namespace tessorin
