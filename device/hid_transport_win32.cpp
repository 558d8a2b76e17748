#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <cstring>
#include <memory>
#include <new>

#include "base/text.h"
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

// Calls visit with the device path of each present HID interface, in
// enumeration order, until it returns true.
template <typename Visit>
void forEachHidInterface(Visit&& visit) {
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    HDEVINFO set = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return;
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData);
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, index, &interfaceData); ++index) {
        std::unique_ptr<uint8_t[]> detail = interfaceDetail(set, interfaceData);
        if (detail && visit(reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(detail.get())->DevicePath)) break;
    }
    SetupDiDestroyDeviceInfoList(set);
}

std::string utf8Of(const wchar_t* text) {
    return utf16ToUtf8(reinterpret_cast<const char16_t*>(text));
}

HANDLE openForTransfers(const wchar_t* devicePath) {
    return CreateFileW(devicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool hasIds(HANDLE device, uint16_t vendorId, uint16_t productId) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    return HidD_GetAttributes(device, &attributes) && attributes.VendorID == vendorId &&
           attributes.ProductID == productId;
}

// The device opened for overlapped I/O when its ids match, otherwise INVALID_HANDLE_VALUE.
HANDLE openIfMatching(const wchar_t* devicePath, uint16_t vendorId, uint16_t productId) {
    HANDLE device = openForTransfers(devicePath);
    if (device == INVALID_HANDLE_VALUE || hasIds(device, vendorId, productId)) return device;
    CloseHandle(device);
    return INVALID_HANDLE_VALUE;
}

// The serial number string, empty when the device has none.
std::string serialNumberOf(HANDLE device) {
    wchar_t serial[127] = {};  // USB string descriptors hold at most 126 characters
    if (!HidD_GetSerialNumberString(device, serial, sizeof(serial) - sizeof(wchar_t))) return {};
    return utf8Of(serial);
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
        HANDLE found = INVALID_HANDLE_VALUE;
        forEachHidInterface([&](const wchar_t* path) {
            found = openIfMatching(path, vendorId, productId);
            return found != INVALID_HANDLE_VALUE;
        });
        return found == INVALID_HANDLE_VALUE ? kInvalidHidHandle : reinterpret_cast<HidHandle>(found);
    }

    std::vector<HidDeviceEntry> enumerate(uint16_t vendorId, uint16_t productId) override {
        std::vector<HidDeviceEntry> entries;
        forEachHidInterface([&](const wchar_t* path) {
            // Ids and serial number need no access rights, so a board another station holds is listed too.
            HANDLE device = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            if (device == INVALID_HANDLE_VALUE) return false;
            if (hasIds(device, vendorId, productId)) entries.push_back({utf8Of(path), utf8Of(path), serialNumberOf(device)});
            CloseHandle(device);
            return false;
        });
        return entries;
    }

    HidHandle openPath(const std::string& devicePath) override {
        std::u16string wide = utf8ToUtf16(devicePath);
        HANDLE device = openForTransfers(reinterpret_cast<const wchar_t*>(wide.c_str()));
        return device == INVALID_HANDLE_VALUE ? kInvalidHidHandle : reinterpret_cast<HidHandle>(device);
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

    bool sharedWithOtherProcesses() const override { return true; }
};

}  // namespace

HidTransport& platformHidTransport() {
    static Win32HidTransport transport;
    return transport;
}

}  // namespace tessorin
