#include "emulator/serial_eeprom.h"

#include <cstddef>

namespace tessorin::emulator {

bool SerialEeprom::transfer(const uint8_t* record, int length) {
    if (length < 3 || record[0] != kDeviceAddress) return false;
    const int address = record[1] << 8 | record[2];
    const int pageStart = address & ~(kPageSize - 1);
    for (int i = 0; i < length - 3; ++i) {
        const int inPage = (address + i) & (kPageSize - 1);
        bytes_[static_cast<std::size_t>(pageStart + inPage)] = record[3 + i];
    }
    ++pageWrites_;
    return true;
}

std::vector<uint8_t> SerialEeprom::bytes(uint16_t address, int count) const {
    std::vector<uint8_t> out;
    for (int i = 0; i < count; ++i) out.push_back(bytes_[static_cast<std::size_t>((address + i) % kSize)]);
    return out;
}

}  // namespace tessorin::emulator
