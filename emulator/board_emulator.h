#pragma once
// The HID devices a test wants present, with the download board and its chip
// modelled from the report formats alone. Installed as the HID transport, it
// lets the real host code run unchanged. Faults are injected per test; time
// passes on the installed VirtualClock (time-outs cost 2000 ms of virtual time,
// never real time). Thread-safe: a download worker may use it while the test
// thread configures or inspects it.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "emulator/download_board.h"

namespace tessorin::emulator {

class BoardEmulator final : public HidTransport {
public:
    // Each present device, in enumeration order; the result is its index. A
    // device has no serial number and the USB path "1-1.N", N its index + 1,
    // until setIdentity gives it others.
    int addBoard(uint16_t chipId);
    int addBoardWithoutChip();
    // A HID device that is not a download board (it answers nothing).
    int addForeignDevice(uint16_t vendorId, uint16_t productId);
    void setIdentity(int device, std::string serial, std::string usbPath);

    HidHandle openFirst(uint16_t vendorId, uint16_t productId) override;
    // A scan, like openFirst, that opens nothing; the device path is "emulated:" and the USB path.
    std::vector<HidDeviceEntry> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidHandle openPath(const std::string& devicePath) override;
    void close(HidHandle handle) override;
    TransferResult write(HidHandle handle, const uint8_t* report, int timeoutMs) override;
    TransferResult read(HidHandle handle, uint8_t* report, int timeoutMs) override;

    void attachChip(int device, uint16_t chipId);  // a fresh chip: other id, new memory
    void detachChip(int device);
    void setHandshakeReply(int device, uint8_t code);
    void setReadyReply(int device, uint8_t code);  // e.g. 0 for a chip that is never ready

    // Runs inspect(ChipModel&) under the emulator's lock; throws std::out_of_range without a chip.
    template <typename Inspect>
    auto withChip(int device, Inspect&& inspect) {
        std::lock_guard<std::mutex> lock(mutex_);
        return inspect(chipOf(device));
    }

    // Unplugging ends every open handle of the device for good; a replugged
    // device must be discovered again.
    void unplug(int device);
    void replug(int device);
    void unplugAfterRequests(int device, int requests);
    // While unplugged, the device is back for the scan that is the scans-th from now.
    void replugAfterScans(int device, int scans);

    // Faults of the next transfers, whichever device they reach.
    void dropReplies(int count);            // the request is handled, its reply never comes
    void delayReplies(int count);           // the reply comes only after the read timed out
    void shortenReads(int count, int bytes);
    void timeOutWrites(int count);          // the request never reaches the board
    void timeOutNthWrite(int nth);          // only the nth write from now times out; 0 disarms
    // Virtual time each report takes on the wire; 1 ms (a full-speed interrupt endpoint) by default.
    void setReportLatencyMicros(uint64_t micros);

    // The wire trace ("> " and "< " lines, see wire_trace.h) and the journal:
    // the same lines with "# " lines for discovery, closes and faults between them.
    void setTraceEnabled(bool enabled);
    std::string trace() const;
    std::string journal() const;
    void clearTrace();

    int scans() const;
    int timesOpened(int device) const;  // examined during discovery
    int timesClosed(int device) const;  // closed after examination or by the host
    int deviceOf(HidHandle handle) const;  // -1 when the handle is not open on a present device
    int openHandles() const;

private:
    struct Device {
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        std::string serial;
        std::string usbPath;
        std::unique_ptr<DownloadBoard> board;
        bool present = true;
        int opened = 0;
        int closed = 0;
        int unplugAfterRequests = 0;  // 0: not armed
        int replugAfterScans = 0;
    };
    struct OpenHandle {
        int device = 0;
        bool ended = false;  // the device was unplugged under it
        std::deque<Report> replies;
        std::deque<Report> lateReplies;
    };

    int addDevice(uint16_t vendorId, uint16_t productId, std::unique_ptr<DownloadBoard> board);
    void startScan();
    HidHandle openOn(std::size_t device);
    Device& deviceAt(int device);
    const Device& deviceAt(int device) const;
    DownloadBoard& boardOf(int device);
    ChipModel& chipOf(int device);
    OpenHandle* liveHandle(HidHandle handle);
    void deliver(OpenHandle& open, const Report& reply);
    void unplugLocked(int device);
    void note(std::string line);
    void passTime(uint64_t micros) const;

    mutable std::mutex mutex_;
    std::vector<Device> devices_;
    std::map<HidHandle, OpenHandle> handles_;
    HidHandle nextHandle_ = 1;
    int scans_ = 0;
    int dropReplies_ = 0;
    int delayReplies_ = 0;
    int shortReads_ = 0;
    int shortReadBytes_ = 0;
    int writeTimeouts_ = 0;
    int writesUntilTimeout_ = 0;  // 0: not armed
    uint64_t latencyMicros_ = 1000;
    bool traceEnabled_ = true;
    std::vector<std::string> journal_;
};

}  // namespace tessorin::emulator
