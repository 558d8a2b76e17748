#pragma once
// What differs between chip families: the indirect access window and the
// registers of the EEPROM transfer engine, one row per family.
#include <cstdint>
#include <span>

namespace tessorin {

struct EepromEngine {
    int32_t modeRegister;
    uint8_t modeValue;        // the engine runs only in this mode
    int32_t offsetRegister;   // 2 bytes, written 0
    int32_t lengthRegister;   // 2 bytes: the record length
    int32_t stagingBuffer;    // where the transfer record is staged
    int32_t startRegister;
    uint8_t startValue;
    uint8_t doneBit;          // in kEepromStatusRegister
};

struct ChipFamily {
    std::span<const uint32_t> chipIds;  // identification words; empty for chips of no known family
    int32_t indirectWindow;             // 4-byte value, then the 2-byte target
    int32_t indirectReadAddress;        // a 2-byte target written here asks for its value
    int32_t indirectResult;             // 4 bytes: the value asked for
    EepromEngine eeprom;
};

// Every known family, then the row for chips in none of them.
std::span<const ChipFamily> chipFamilies();

// The family whose ids hold chipId, or the last row when none does.
const ChipFamily& chipFamilyOf(uint32_t chipId);

// True when chipId belongs to one of the known families.
bool isKnownChip(uint32_t chipId);

}  // namespace tessorin
