#pragma once
// A 64 KiB serial EEPROM with 16-bit addresses and 32-byte pages, as written by
// the chip's transfer engine: device address byte, address high, address low,
// then the data. Like the real part, a page write that runs past the end of its
// page wraps to the start of the same page.
#include <array>
#include <cstdint>
#include <vector>

namespace tessorin::emulator {

class SerialEeprom {
public:
    static constexpr int kSize = 65536;
    static constexpr int kPageSize = 32;
    static constexpr uint8_t kDeviceAddress = 0xA0;

    SerialEeprom() { bytes_.fill(0xFF); }  // an erased part reads all ones

    // One transfer record. False when the record is too short to carry an
    // address or is not for this device (no acknowledge): nothing is written.
    bool transfer(const uint8_t* record, int length);

    std::vector<uint8_t> bytes(uint16_t address, int count) const;
    int pageWrites() const { return pageWrites_; }

private:
    std::array<uint8_t, kSize> bytes_;
    int pageWrites_ = 0;
};

}  // namespace tessorin::emulator
