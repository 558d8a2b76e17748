#pragma once
// A transport in front of the board emulator that fires one armed fault when
// the host's traffic reaches a chosen point: the n-th request after arming, or
// the n-th report of the image stream into the code-load port. The fault itself
// is the emulator's own (unplug, chip pulled, dropped, delayed and short
// replies, write time-outs); this only chooses the moment.
#include <cstdint>
#include <mutex>
#include <string>

#include "device/hid_transport.h"
#include "emulator/board_emulator.h"

namespace tessorin::testing {

enum class FaultKind { None, UnplugBoard, PullChip, DropReplies, DelayReplies, ShortReads, WriteTimeouts };

inline const char* faultName(FaultKind kind) {
    switch (kind) {
        case FaultKind::None: return "none";
        case FaultKind::UnplugBoard: return "board unplugged";
        case FaultKind::PullChip: return "chip pulled";
        case FaultKind::DropReplies: return "replies dropped";
        case FaultKind::DelayReplies: return "replies late";
        case FaultKind::ShortReads: return "short replies";
        case FaultKind::WriteTimeouts: return "write time-outs";
    }
    return "?";
}

struct Fault {
    FaultKind kind = FaultKind::None;
    bool atImageReport = false;  // count image reports instead of every request
    int at = 1;                  // fires just before the at-th counted request goes out
    int count = 1;               // replies or writes the fault takes
    int shortBytes = 0;          // bytes a short reply carries
    int replugAfterScans = 1;    // an unplugged board is back for the scan this many from now
};

class FaultInjector final : public HidTransport {
public:
    FaultInjector(emulator::BoardEmulator& emulator, int device) : emulator_(emulator), device_(device) {}

    void arm(const Fault& fault) {
        std::lock_guard<std::mutex> lock(mutex_);
        fault_ = fault;
        counted_ = 0;
        fired_ = false;
    }
    // Disarms and takes back whatever the emulator still holds of a fired fault.
    void disarm() {
        arm(Fault{});
        emulator_.dropReplies(0);
        emulator_.delayReplies(0);
        emulator_.shortenReads(0, 0);
        emulator_.timeOutWrites(0);
    }
    bool fired() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return fired_;
    }

    HidHandle openFirst(uint16_t vendorId, uint16_t productId) override {
        return emulator_.openFirst(vendorId, productId);
    }
    std::vector<HidDeviceEntry> enumerate(uint16_t vendorId, uint16_t productId) override {
        return emulator_.enumerate(vendorId, productId);
    }
    HidHandle openPath(const std::string& devicePath) override { return emulator_.openPath(devicePath); }
    void close(HidHandle handle) override { emulator_.close(handle); }
    TransferResult write(HidHandle handle, const uint8_t* report, int timeoutMs) override {
        fireIfDue(report);
        return emulator_.write(handle, report, timeoutMs);
    }
    TransferResult read(HidHandle handle, uint8_t* report, int timeoutMs) override {
        return emulator_.read(handle, report, timeoutMs);
    }

private:
    // The image goes out as one fixed-address write to the port and its
    // fixed-address continuations; nothing else in a station download uses 0x13.
    static bool isImageReport(const uint8_t* report) {
        return (report[1] == 0x17 && report[3] == 0x25 && report[4] == 0x80) || report[1] == 0x13;
    }

    void fireIfDue(const uint8_t* report) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (fired_ || fault_.kind == FaultKind::None) return;
        if (fault_.atImageReport && !isImageReport(report)) return;
        if (++counted_ < fault_.at) return;
        fired_ = true;
        switch (fault_.kind) {
            case FaultKind::None: break;
            case FaultKind::UnplugBoard:
                emulator_.unplug(device_);
                emulator_.replugAfterScans(device_, fault_.replugAfterScans);
                break;
            case FaultKind::PullChip: emulator_.detachChip(device_); break;
            case FaultKind::DropReplies: emulator_.dropReplies(fault_.count); break;
            case FaultKind::DelayReplies: emulator_.delayReplies(fault_.count); break;
            case FaultKind::ShortReads: emulator_.shortenReads(fault_.count, fault_.shortBytes); break;
            case FaultKind::WriteTimeouts: emulator_.timeOutWrites(fault_.count); break;
        }
    }

    emulator::BoardEmulator& emulator_;
    const int device_;
    mutable std::mutex mutex_;
    Fault fault_;
    int counted_ = 0;
    bool fired_ = false;
};

}  // namespace tessorin::testing
