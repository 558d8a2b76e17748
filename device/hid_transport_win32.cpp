#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <cstring>
#include <memory>
#include <new>

#include "device/hid_transport.h"
#include "device/platform_hid_transport.h"

namespace tessorin {
namespace {

HANDLE toHandle(HidHandle handle) { return reinterpret_cast<HANDLE>(handle); }

// The detail record of one interface, or nullptr when it cannot be had.
std::unique_ptr<uint8_t[]> interfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& interfaceData) {
    DWORD required = 0;
    if (SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &required, nullptr) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return nullptr;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[required]);
    if (!buffer) return nullptr;
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.get());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    SP_DEVINFO_DATA deviceInfo{};
    deviceInfo.cbSize = sizeof(deviceInfo);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, required, nullptr, &deviceInfo)) return nullptr;
    return buffer;
}

// The device opened for overlapped I/O when its ids match, otherwise INVALID_HANDLE_VALUE.
HANDLE openIfMatching(const wchar_t* devicePath, uint16_t vendorId, uint16_t productId) {
    HANDLE device = CreateFileW(devicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE) return device;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (HidD_GetAttributes(device, &attributes) && attributes.VendorID == vendorId &&
        attributes.ProductID == productId)
        return device;
    CloseHandle(device);
    return INVALID_HANDLE_VALUE;
}

// One 64-byte transfer with its own manual-reset event. After a time-out the
// transfer is cancelled and waited for, so neither the buffer nor the OVERLAPPED
// record is written once this returns.
TransferResult transfer(HANDLE device, uint8_t* buffer, bool isWrite, int timeoutMs) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent) return {};
    DWORD count = 0;
    BOOL done = isWrite ? WriteFile(device, buffer, kReportSize, &count, &overlapped)
                        : ReadFile(device, buffer, kReportSize, &count, &overlapped);
    TransferResult result;
    if (done) {
        result = {true, static_cast<int>(count)};
    } else if (GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(overlapped.hEvent, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0) {
            if (GetOverlappedResult(device, &overlapped, &count, FALSE)) result = {true, static_cast<int>(count)};
        } else {
            CancelIoEx(device, &overlapped);
            GetOverlappedResult(device, &overlapped, &count, TRUE);
        }
    }
    CloseHandle(overlapped.hEvent);
    return result;
}

class Win32HidTransport final : public HidTransport {
public:
    HidHandle openFirst(uint16_t vendorId, uint16_t productId) override {
        GUID hidGuid;
        HidD_GetHidGuid(&hidGuid);
        HDEVINFO set = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (set == INVALID_HANDLE_VALUE) return kInvalidHidHandle;
        HANDLE found = INVALID_HANDLE_VALUE;
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        for (DWORD index = 0;
             found == INVALID_HANDLE_VALUE && SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, index, &interfaceData);
             ++index) {
            std::unique_ptr<uint8_t[]> detail = interfaceDetail(set, interfaceData);
            if (!detail) continue;
            found = openIfMatching(reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(detail.get())->DevicePath,
                                   vendorId, productId);
        }
        SetupDiDestroyDeviceInfoList(set);
        return found == INVALID_HANDLE_VALUE ? kInvalidHidHandle : reinterpret_cast<HidHandle>(found);
    }

    void close(HidHandle handle) override {
        if (handle != kInvalidHidHandle) CloseHandle(toHandle(handle));
    }

    TransferResult write(HidHandle handle, const uint8_t* report, int timeoutMs) override {
        uint8_t outgoing[kReportSize];
        std::memcpy(outgoing, report, kReportSize);
        return transfer(toHandle(handle), outgoing, true, timeoutMs);
    }

    // Read into a private buffer: the caller's buffer is only written by a completed read.
    TransferResult read(HidHandle handle, uint8_t* report, int timeoutMs) override {
        uint8_t incoming[kReportSize] = {};
        TransferResult result = transfer(toHandle(handle), incoming, false, timeoutMs);
        if (result.completed) std::memcpy(report, incoming, static_cast<size_t>(result.count));
        return result;
    }
};

}  // namespace

HidTransport& platformHidTransport() {
    static Win32HidTransport transport;
    return transport;
}

}  // namespace tessorin
