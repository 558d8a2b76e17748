#include "emulator/chip_family.h"

#include <initializer_list>

namespace tessorin::emulator {
namespace {

bool oneOf(uint16_t chipId, std::initializer_list<uint16_t> ids) {
    for (uint16_t id : ids) {
        if (id == chipId) return true;
    }
    return false;
}

}  // namespace

ChipFamily chipFamilyOf(uint16_t chipId) {
    if (oneOf(chipId, {0x5B21, 0x5B22}))
        return {0x8050, 0x8054, 0x8114, 0xF8D23, 0x00, 0xF8D08, 0xF8D0A, 0x21EFC, 0xF8D0F, 0x80, 0x01};

    ChipFamily family{0x8026, 0x802A, 0x815C, 0x8090, 0x01, 0x809E, 0x8098, 0x1EFC, 0x8006, 0x04, 0x20};
    if (oneOf(chipId, {0x3C06, 0x3C07, 0x3C09})) family.indirectResult = 0x835E;
    if (oneOf(chipId, {0x6D10, 0x6D11})) {
        family.eepromModeValue = 0x00;
        family.eepromStartRegister = 0x8132;
        family.eepromDoneBit = 0x01;
    } else if (oneOf(chipId, {0x3C05, 0x3C06, 0x3C07, 0x3C09, 0x7E40, 0x3C0A})) {
        family.eepromStartRegister = 0x800A;
    }
    return family;
}

}  // namespace tessorin::emulator
