// The host's chip-family table against the emulated chip's own, written apart:
// each id lands in one family, and both sides agree on every register.
#include <gtest/gtest.h>

#include <set>

#include "device/chip_families.h"
#include "emulator/chip_family.h"

namespace tessorin::testing {
namespace {

std::vector<uint32_t> idsToCheck() {
    std::vector<uint32_t> ids;
    for (const ChipFamily& family : chipFamilies()) ids.insert(ids.end(), family.chipIds.begin(), family.chipIds.end());
    // Neighbours of known ids and the extremes belong to no family.
    for (uint32_t unknown : {0x0000u, 0x3C08u, 0x5B20u, 0x5B23u, 0x6D12u, 0x7E41u, 0xFFFFu}) ids.push_back(unknown);
    return ids;
}

TEST(ChipFamilies, EveryIdBelongsToOneFamilyAndOnlyTheLastRowHasNone) {
    std::set<uint32_t> seen;
    const auto families = chipFamilies();
    for (size_t i = 0; i < families.size(); ++i) {
        EXPECT_EQ(families[i].chipIds.empty(), i + 1 == families.size()) << "row " << i;
        for (uint32_t id : families[i].chipIds) {
            EXPECT_TRUE(seen.insert(id).second) << std::hex << id << " is in two families";
            EXPECT_EQ(&chipFamilyOf(id), &families[i]);
            EXPECT_TRUE(isKnownChip(id));
        }
    }
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_FALSE(isKnownChip(0x3C08));
    EXPECT_EQ(&chipFamilyOf(0x3C08), &families.back());
}

TEST(ChipFamilies, RegistersAgreeWithTheEmulatedChip) {
    for (uint32_t id : idsToCheck()) {
        const ChipFamily& host = chipFamilyOf(id);
        const emulator::ChipFamily chip = emulator::chipFamilyOf(static_cast<uint16_t>(id));
        SCOPED_TRACE(::testing::Message() << "chip " << std::hex << id);
        EXPECT_EQ(static_cast<uint32_t>(host.indirectWindow), chip.indirectWindow);
        EXPECT_EQ(static_cast<uint32_t>(host.indirectReadAddress), chip.indirectTarget);
        EXPECT_EQ(static_cast<uint32_t>(host.indirectResult), chip.indirectResult);
        EXPECT_EQ(static_cast<uint32_t>(host.eeprom.modeRegister), chip.eepromModeRegister);
        EXPECT_EQ(host.eeprom.modeValue, chip.eepromModeValue);
        EXPECT_EQ(static_cast<uint32_t>(host.eeprom.offsetRegister), chip.eepromOffsetRegister);
        EXPECT_EQ(static_cast<uint32_t>(host.eeprom.lengthRegister), chip.eepromLengthRegister);
        EXPECT_EQ(static_cast<uint32_t>(host.eeprom.stagingBuffer), chip.eepromStaging);
        EXPECT_EQ(static_cast<uint32_t>(host.eeprom.startRegister), chip.eepromStartRegister);
        EXPECT_EQ(host.eeprom.startValue, chip.eepromStartValue);
        EXPECT_EQ(host.eeprom.doneBit, chip.eepromDoneBit);
    }
}

}  // namespace
}  // namespace tessorin::testing
