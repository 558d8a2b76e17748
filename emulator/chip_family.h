#pragma once
// What differs between chip families, as the emulated chip lays out its
// registers: the indirect access window and the EEPROM transfer engine.
#include <cstdint>

namespace tessorin::emulator {

struct ChipFamily {
    // Indirect window: 32-bit value at indirectWindow, 16-bit target right after it.
    uint32_t indirectWindow;
    uint32_t indirectTarget;  // also the read address register
    uint32_t indirectResult;  // 4 bytes

    uint32_t eepromModeRegister;
    uint8_t eepromModeValue;  // the engine runs only in this mode
    uint32_t eepromOffsetRegister;
    uint32_t eepromLengthRegister;
    uint32_t eepromStaging;
    uint32_t eepromStartRegister;
    uint8_t eepromStartValue;
    uint8_t eepromDoneBit;  // in the status register 0x812C
};

constexpr uint32_t kEepromStatusRegister = 0x812C;

ChipFamily chipFamilyOf(uint16_t chipId);

}  // namespace tessorin::emulator
