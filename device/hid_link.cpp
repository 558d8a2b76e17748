#include "device/hid_link.h"

#include <atomic>

#include "base/clock.h"
#include "device/board_choice.h"

namespace tessorin {
namespace {

// One user at a time is the callers' rule; the handle itself is still read and
// replaced from several threads (a download worker closes what the window opened).
std::atomic<HidHandle> link{kInvalidHidHandle};
// Only the link's one user writes it, so a load and a store do; no locked add per report.
std::atomic<uint64_t> sentReports{0};

// After a failed transfer: drop the connection and look for the board at once,
// so a board that was unplugged and plugged back is picked up by the next
// transfer. Closing the handle also discards a reply that arrives late for the
// abandoned request: the new handle starts with an empty input queue, so such a
// reply is never taken for the answer to the next request.
void resetLink() {
    closeHidLink();
    setHidLink(openDownloadBoard());
}

}  // namespace

HidHandle hidLink() { return link.load(); }

void setHidLink(HidHandle handle) { link.store(handle); }

bool hidLinkOpen() { return hidLink() != kInvalidHidHandle; }

void closeHidLink() {
    HidHandle handle = link.exchange(kInvalidHidHandle);
    if (handle != kInvalidHidHandle) hidTransport().close(handle);
}

HidHandle openDownloadBoard() {
    const std::string chosen = chosenBoard();
    return chosen.empty() ? hidTransport().openFirst(kBoardVendorId, kBoardProductId) : openChosenBoard(chosen);
}

bool writePacket(DevicePacket& packet) {
    packet[0] = kRequestReportId;
    HidHandle handle = hidLink();
    // A closed link fails at once, like a write on an invalid handle.
    TransferResult result;
    if (handle != kInvalidHidHandle) result = hidTransport().write(handle, packet.bytes.data(), kTransferTimeoutMs);
    if (!result.completed) {
        resetLink();
        return false;
    }
    if (result.count != kReportSize) return false;
    sentReports.store(sentReports.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    return true;
}

uint64_t reportsSent() { return sentReports.load(std::memory_order_relaxed); }

bool readPacket(DevicePacket& packet) {
    HidHandle handle = hidLink();
    DevicePacket incoming;
    TransferResult result;
    if (handle != kInvalidHidHandle) result = hidTransport().read(handle, incoming.bytes.data(), kTransferTimeoutMs);
    if (result.completed && result.count == kReportSize) {
        packet = incoming;
        return true;
    }
    packet.clear();
    // A short read is still a completed transfer: the link stays as it is.
    if (!result.completed) resetLink();
    return false;
}

void delayMicroseconds(double micros) {
    Clock& clock = processClock();
    const double frequency = static_cast<double>(clock.perfFrequency());
    const int64_t start = clock.perfCounter();
    for (;;) {
        const int64_t elapsed = clock.perfCounter() - start;
        if (elapsed < 0) return;
        if (static_cast<double>(elapsed) / frequency * 1'000'000.0 >= micros) return;
    }
}

}  // namespace tessorin
