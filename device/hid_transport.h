#pragma once
// The HID transport seam: find the board by vendor and product id and move
// single 64-byte reports with a time-out. hidapi on Linux, SetupAPI and
// overlapped I/O on Windows, the board emulator in tests.
#include <cstdint>
#include <string>
#include <vector>

namespace tessorin {

using HidHandle = std::intptr_t;
constexpr HidHandle kInvalidHidHandle = -1;
constexpr int kReportSize = 64;

struct TransferResult {
    bool completed = false;  // false: time-out or I/O error (the link is then reset)
    int count = 0;           // bytes moved when completed
};

// One present HID device with the ids asked for.
struct HidDeviceEntry {
    std::string devicePath;  // what openPath takes: the hidraw node, the interface path
    std::string usbPath;     // where it is plugged in; the device path where that is not known
    std::string serial;      // empty when the device reports none
};

class HidTransport {
public:
    virtual ~HidTransport() = default;
    // The first present device with these ids, opened for reading and writing, or kInvalidHidHandle.
    virtual HidHandle openFirst(uint16_t vendorId, uint16_t productId) = 0;
    // Every present device with these ids, in enumeration order; none is left open.
    virtual std::vector<HidDeviceEntry> enumerate(uint16_t vendorId, uint16_t productId) = 0;
    // The device at a path from enumerate, opened as openFirst opens it, or kInvalidHidHandle.
    virtual HidHandle openPath(const std::string& devicePath) = 0;
    virtual void close(HidHandle handle) = 0;
    // One report of kReportSize bytes. A transfer not done within timeoutMs is
    // abandoned and never touches the caller's buffer afterwards.
    virtual TransferResult write(HidHandle handle, const uint8_t* report, int timeoutMs) = 0;
    virtual TransferResult read(HidHandle handle, uint8_t* report, int timeoutMs) = 0;
    // Whether other processes reach the same boards (the platform's transport):
    // then a board is locked while it is driven (device/board_lock.h).
    virtual bool sharedWithOtherProcesses() const { return false; }
};

// The process's transport: the platform's own unless a test or the runner installed another.
HidTransport& hidTransport();
void setHidTransport(HidTransport* transport);  // nullptr restores the platform transport

}  // namespace tessorin
