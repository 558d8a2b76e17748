#include "device/recording_transport.h"

#include "device/wire_trace.h"

namespace tessorin {

HidHandle RecordingTransport::openFirst(uint16_t vendorId, uint16_t productId) {
    return inner_.openFirst(vendorId, productId);
}

std::vector<HidDeviceEntry> RecordingTransport::enumerate(uint16_t vendorId, uint16_t productId) {
    return inner_.enumerate(vendorId, productId);
}

HidHandle RecordingTransport::openPath(const std::string& devicePath) { return inner_.openPath(devicePath); }

void RecordingTransport::close(HidHandle handle) { inner_.close(handle); }

TransferResult RecordingTransport::write(HidHandle handle, const uint8_t* report, int timeoutMs) {
    const TransferResult result = inner_.write(handle, report, timeoutMs);
    if (result.completed) record(requestLine(report));
    return result;
}

TransferResult RecordingTransport::read(HidHandle handle, uint8_t* report, int timeoutMs) {
    const TransferResult result = inner_.read(handle, report, timeoutMs);
    if (result.completed) record(replyLine(report, result.count));
    return result;
}

std::string RecordingTransport::trace() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return trace_;
}

void RecordingTransport::record(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    trace_ += line + "\n";
}

}  // namespace tessorin
