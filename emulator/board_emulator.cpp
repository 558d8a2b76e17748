#include "emulator/board_emulator.h"

#include <cstddef>
#include <cstring>

#include "base/clock.h"
#include "base/format.h"
#include "device/hid_link.h"
#include "device/wire_trace.h"

namespace tessorin::emulator {

int BoardEmulator::addBoard(uint16_t chipId) {
    auto board = std::make_unique<DownloadBoard>();
    board->attachChip(chipId);
    return addDevice(kBoardVendorId, kBoardProductId, std::move(board));
}

int BoardEmulator::addBoardWithoutChip() {
    return addDevice(kBoardVendorId, kBoardProductId, std::make_unique<DownloadBoard>());
}

int BoardEmulator::addForeignDevice(uint16_t vendorId, uint16_t productId) {
    return addDevice(vendorId, productId, nullptr);
}

int BoardEmulator::addDevice(uint16_t vendorId, uint16_t productId, std::unique_ptr<DownloadBoard> board) {
    std::lock_guard<std::mutex> lock(mutex_);
    Device device;
    device.vendorId = vendorId;
    device.productId = productId;
    device.usbPath = formatText("1-1.%d", {devices_.size() + 1});
    device.board = std::move(board);
    devices_.push_back(std::move(device));
    return static_cast<int>(devices_.size()) - 1;
}

void BoardEmulator::setIdentity(int device, std::string serial, std::string usbPath) {
    std::lock_guard<std::mutex> lock(mutex_);
    Device& found = deviceAt(device);
    found.serial = std::move(serial);
    found.usbPath = std::move(usbPath);
}

void BoardEmulator::startScan() {
    ++scans_;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        Device& device = devices_[i];
        if (!device.present && device.replugAfterScans > 0 && --device.replugAfterScans == 0) {
            device.present = true;
            note(formatText("# replugged %d", {i}));
        }
    }
}

HidHandle BoardEmulator::openOn(std::size_t device) {
    const HidHandle handle = nextHandle_++;
    handles_[handle].device = static_cast<int>(device);
    note(formatText("# open %d", {device}));
    return handle;
}

std::vector<HidDeviceEntry> BoardEmulator::enumerate(uint16_t vendorId, uint16_t productId) {
    std::lock_guard<std::mutex> lock(mutex_);
    startScan();
    std::vector<HidDeviceEntry> entries;
    for (const Device& device : devices_) {
        if (device.present && device.vendorId == vendorId && device.productId == productId)
            entries.push_back({"emulated:" + device.usbPath, device.usbPath, device.serial});
    }
    note(formatText("# list %d", {entries.size()}));
    return entries;
}

HidHandle BoardEmulator::openPath(const std::string& devicePath) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        Device& device = devices_[i];
        if (!device.present || "emulated:" + device.usbPath != devicePath) continue;
        ++device.opened;
        return openOn(i);
    }
    note("# no device at " + devicePath);
    return kInvalidHidHandle;
}

HidHandle BoardEmulator::openFirst(uint16_t vendorId, uint16_t productId) {
    std::lock_guard<std::mutex> lock(mutex_);
    startScan();
    // Like the Windows discovery: every present device is opened and examined
    // in turn; one with other ids is closed again.
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        Device& device = devices_[i];
        if (!device.present) continue;
        ++device.opened;
        if (device.vendorId != vendorId || device.productId != productId) {
            ++device.closed;
            note(formatText("# skip %d (%04x:%04x)", {i, device.vendorId, device.productId}));
            continue;
        }
        return openOn(i);
    }
    note("# no board");
    return kInvalidHidHandle;
}

void BoardEmulator::close(HidHandle handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = handles_.find(handle);
    if (found == handles_.end()) return;
    // Replies still queued for this handle, late ones included, go with it.
    ++devices_[static_cast<std::size_t>(found->second.device)].closed;
    note(formatText("# close %d", {found->second.device}));
    handles_.erase(found);
}

TransferResult BoardEmulator::write(HidHandle handle, const uint8_t* report, int timeoutMs) {
    std::lock_guard<std::mutex> lock(mutex_);
    OpenHandle* open = liveHandle(handle);
    if (!open) {
        note("# write failed: no device");
        return {};
    }
    const bool nthTimesOut = writesUntilTimeout_ > 0 && --writesUntilTimeout_ == 0;
    if (nthTimesOut || writeTimeouts_ > 0) {
        if (writeTimeouts_ > 0) --writeTimeouts_;
        passTime(static_cast<uint64_t>(timeoutMs) * 1000);
        note("# write time-out");
        return {};
    }
    passTime(latencyMicros_);
    Report request;
    std::memcpy(request.data(), report, request.size());
    if (traceEnabled_) note(requestLine(request.data()));
    Device& device = devices_[static_cast<std::size_t>(open->device)];
    if (device.board) {
        if (std::optional<Report> reply = device.board->handle(request)) deliver(*open, *reply);
    }
    if (device.unplugAfterRequests > 0 && --device.unplugAfterRequests == 0) unplugLocked(open->device);
    return {true, kReportSize};
}

TransferResult BoardEmulator::read(HidHandle handle, uint8_t* report, int timeoutMs) {
    std::lock_guard<std::mutex> lock(mutex_);
    OpenHandle* open = liveHandle(handle);
    if (!open) {
        note("# read failed: no device");
        return {};
    }
    if (open->replies.empty()) {
        passTime(static_cast<uint64_t>(timeoutMs) * 1000);
        note("# read time-out");
        if (!open->lateReplies.empty()) {
            open->replies.push_back(open->lateReplies.front());
            open->lateReplies.pop_front();
            note("# late reply queued");
        }
        return {};
    }
    const Report reply = open->replies.front();
    open->replies.pop_front();
    passTime(latencyMicros_);
    int count = kReportSize;
    if (shortReads_ > 0) {
        --shortReads_;
        count = shortReadBytes_;
        note(formatText("# short read %d", {count}));
    }
    std::memcpy(report, reply.data(), static_cast<std::size_t>(count));
    if (traceEnabled_) note(replyLine(reply.data(), count));
    return {true, count};
}

void BoardEmulator::deliver(OpenHandle& open, const Report& reply) {
    if (dropReplies_ > 0) {
        --dropReplies_;
        note("# reply dropped");
    } else if (delayReplies_ > 0) {
        --delayReplies_;
        open.lateReplies.push_back(reply);
        note("# reply delayed");
    } else {
        open.replies.push_back(reply);
    }
}

void BoardEmulator::attachChip(int device, uint16_t chipId) {
    std::lock_guard<std::mutex> lock(mutex_);
    boardOf(device).attachChip(chipId);
}

void BoardEmulator::detachChip(int device) {
    std::lock_guard<std::mutex> lock(mutex_);
    boardOf(device).detachChip();
}

void BoardEmulator::setHandshakeReply(int device, uint8_t code) {
    std::lock_guard<std::mutex> lock(mutex_);
    boardOf(device).setHandshakeReply(code);
}

void BoardEmulator::setReadyReply(int device, uint8_t code) {
    std::lock_guard<std::mutex> lock(mutex_);
    boardOf(device).setReadyReply(code);
}

void BoardEmulator::unplug(int device) {
    std::lock_guard<std::mutex> lock(mutex_);
    deviceAt(device);
    unplugLocked(device);
}

void BoardEmulator::unplugLocked(int device) {
    devices_[static_cast<std::size_t>(device)].present = false;
    for (auto& [handle, open] : handles_) {
        if (open.device == device) open.ended = true;
    }
    note(formatText("# unplugged %d", {device}));
}

void BoardEmulator::replug(int device) {
    std::lock_guard<std::mutex> lock(mutex_);
    deviceAt(device).present = true;
    note(formatText("# replugged %d", {device}));
}

void BoardEmulator::unplugAfterRequests(int device, int requests) {
    std::lock_guard<std::mutex> lock(mutex_);
    deviceAt(device).unplugAfterRequests = requests;
}

void BoardEmulator::replugAfterScans(int device, int scans) {
    std::lock_guard<std::mutex> lock(mutex_);
    deviceAt(device).replugAfterScans = scans;
}

void BoardEmulator::dropReplies(int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    dropReplies_ = count;
}

void BoardEmulator::delayReplies(int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    delayReplies_ = count;
}

void BoardEmulator::shortenReads(int count, int bytes) {
    if (bytes < 0 || bytes >= kReportSize) throw std::out_of_range("a short read has 0 to 63 bytes");
    std::lock_guard<std::mutex> lock(mutex_);
    shortReads_ = count;
    shortReadBytes_ = bytes;
}

void BoardEmulator::timeOutWrites(int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    writeTimeouts_ = count;
}

void BoardEmulator::timeOutNthWrite(int nth) {
    std::lock_guard<std::mutex> lock(mutex_);
    writesUntilTimeout_ = nth;
}

void BoardEmulator::setReportLatencyMicros(uint64_t micros) {
    std::lock_guard<std::mutex> lock(mutex_);
    latencyMicros_ = micros;
}

void BoardEmulator::setTraceEnabled(bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    traceEnabled_ = enabled;
}

std::string BoardEmulator::trace() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string text;
    for (const std::string& line : journal_) {
        if (line[0] != '#') text += line + "\n";
    }
    return text;
}

std::string BoardEmulator::journal() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string text;
    for (const std::string& line : journal_) text += line + "\n";
    return text;
}

void BoardEmulator::clearTrace() {
    std::lock_guard<std::mutex> lock(mutex_);
    journal_.clear();
}

int BoardEmulator::scans() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return scans_;
}

int BoardEmulator::timesOpened(int device) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return deviceAt(device).opened;
}

int BoardEmulator::timesClosed(int device) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return deviceAt(device).closed;
}

int BoardEmulator::deviceOf(HidHandle handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = handles_.find(handle);
    if (found == handles_.end() || found->second.ended) return -1;
    return found->second.device;
}

int BoardEmulator::openHandles() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(handles_.size());
}

BoardEmulator::Device& BoardEmulator::deviceAt(int device) {
    if (device < 0 || static_cast<std::size_t>(device) >= devices_.size())
        throw std::out_of_range(formatText("no emulated device %d", {device}));
    return devices_[static_cast<std::size_t>(device)];
}

const BoardEmulator::Device& BoardEmulator::deviceAt(int device) const {
    return const_cast<BoardEmulator*>(this)->deviceAt(device);
}

DownloadBoard& BoardEmulator::boardOf(int device) {
    Device& found = deviceAt(device);
    if (!found.board) throw std::out_of_range(formatText("emulated device %d is not a download board", {device}));
    return *found.board;
}

ChipModel& BoardEmulator::chipOf(int device) {
    ChipModel* chip = boardOf(device).chip();
    if (!chip) throw std::out_of_range(formatText("no chip on emulated board %d", {device}));
    return *chip;
}

BoardEmulator::OpenHandle* BoardEmulator::liveHandle(HidHandle handle) {
    auto found = handles_.find(handle);
    if (found == handles_.end() || found->second.ended) return nullptr;
    return &found->second;
}

void BoardEmulator::note(std::string line) {
    if (traceEnabled_) journal_.push_back(std::move(line));
}

void BoardEmulator::passTime(uint64_t micros) const {
    if (micros == 0) return;
    if (auto* clock = dynamic_cast<VirtualClock*>(&processClock())) clock->advanceMicros(micros);
}

}  // namespace tessorin::emulator
