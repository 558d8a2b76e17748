#include "device/hid_transport.h"

#include <atomic>

#include "device/platform_hid_transport.h"

namespace tessorin {
namespace {

std::atomic<HidTransport*> installed{nullptr};

}  // namespace

HidTransport& hidTransport() {
    HidTransport* transport = installed.load();
    return transport ? *transport : platformHidTransport();
}

void setHidTransport(HidTransport* transport) { installed.store(transport); }

}  // namespace tessorin
