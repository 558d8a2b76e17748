#pragma once
// Download boards that the real Linux stack finds and talks to: a umockdev
// testbed gives each device its USB device, interface, HID device and hidraw
// node in sysfs and udev, and the board emulator answers every report hidapi
// writes to the node. The process must run under libumockdev-preload
// (umockdev_preload.h). While it exists the process uses the platform
// transport, with HidLink closed and the chip-id cache forgotten as at start.
// One at a time: umockdev has one testbed per process.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "emulator/download_board.h"

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;

namespace tessorin::emulator {

class FakeHidrawBoards {
public:
    FakeHidrawBoards();  // throws std::runtime_error when not under the preload
    ~FakeHidrawBoards();
    FakeHidrawBoards(const FakeHidrawBoards&) = delete;
    FakeHidrawBoards& operator=(const FakeHidrawBoards&) = delete;

    // Each device sits on the next USB port, and enumeration follows the ports.
    // The result is its index.
    int addBoard(uint16_t chipId);
    int addForeignDevice(uint16_t vendorId, uint16_t productId);

    // The device leaves sysfs and udev; handles still open on it fail from then on.
    void unplug(int device);
    // Back on its port under a new hidraw node, as the kernel numbers them.
    void replug(int device);
    // After the n-th request from now the device stops answering as an
    // unplugged one does: that request and every later one fail, and a read
    // waiting on it ends. It still shows in udev until unplug() takes it away.
    void dieAfterRequests(int device, int requests);
    // Whether the device's node answers (false once unplugged or dead).
    bool answering(int device) const;

    // The operator's chip swap at a station: a fresh chip, or none.
    void attachChip(int device, uint16_t chipId);
    void detachChip(int device);

    std::string serial(int device) const;      // the USB serial attribute and HID_UNIQ
    std::string devicePath(int device) const;  // the hidraw node of its present plug
    int opens(int device) const;               // times a handle was opened on it
    // Every report written to it, as it arrived.
    std::vector<std::vector<uint8_t>> requests(int device) const;

    // Runs inspect(ChipModel&) under the lock the device's handlers take;
    // throws std::out_of_range for a device without a chip.
    template <typename Inspect>
    auto withChip(int device, Inspect&& inspect) {
        std::lock_guard<std::mutex> lock(mutex_);
        DownloadBoard* board = devices_.at(static_cast<size_t>(device)).board.get();
        if (!board || !board->chip()) throw std::out_of_range("no chip on this fake device");
        return inspect(*board->chip());
    }
private:
    // What umockdev calls, on its own thread, for the hidraw nodes.
    struct Handlers;

    struct Device {
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        std::unique_ptr<DownloadBoard> board;  // none for a foreign device
        std::string serial;
        std::string node;  // "/dev/hidrawN" while plugged, else empty
        std::vector<std::string> syspaths;  // leaf first
        int opens = 0;
        std::vector<std::vector<uint8_t>> requests;
        int dieAfterRequests = 0;  // 0: not armed
    };
    // One hidraw node: the life of a device between plug and unplug.
    struct Node {
        size_t device = 0;
        int ptyMaster = -1;  // umockdev's side: one doorbell byte per queued reply
        int ptyDrain = -1;   // our own open of the client side, to take the bytes back
        std::string devLink;  // its /sys/dev/char entry
        bool live = false;    // from the end of its plug to its unplug; else its handles fail
        std::map<const void*, std::deque<Report>> replies;  // per open handle
    };

    int addDevice(uint16_t vendorId, uint16_t productId, std::unique_ptr<DownloadBoard> board);
    DownloadBoard& boardOf(int device);
    // Its handles fail from now on, and a read waiting on it ends.
    void stopAnswering(Node& node);
    void plug(size_t device);
    template <typename T>
    T copyOf(int device, T Device::*member) const {
        std::lock_guard<std::mutex> lock(mutex_);
        return devices_.at(static_cast<size_t>(device)).*member;
    }

    mutable std::mutex mutex_;
    UMockdevTestbed* testbed_ = nullptr;
    UMockdevIoctlBase* handler_ = nullptr;
    std::vector<Device> devices_;
    std::map<std::string, Node> nodes_;
    int nodesMade_ = 0;
};

}  // namespace tessorin::emulator
