#pragma once
// The registers of the chip's EEPROM transfer engine, which differ by chip family.
#include <cstdint>

namespace tessorin::download {

struct EepromEngine {
    int32_t modeRegister;
    uint8_t modeValue;
    int32_t offsetRegister;   // 2 bytes, written 0
    int32_t lengthRegister;   // 2 bytes: the record length
    int32_t stagingBuffer;    // where the transfer record is staged
    int32_t startRegister;
    uint8_t startValue;
    uint8_t doneBit;          // in the status register
};

constexpr int32_t kEepromStatusRegister = 0x812C;

// By the chip identification word; inKnownList tells the known chips of no family of their own.
EepromEngine eepromEngineFor(uint32_t chipId, bool inKnownList);

}  // namespace tessorin::download
