#include <gtest/gtest.h>

#include <vector>

#include "base/not_examined.h"
#include "device/board_commands.h"
#include "emulator/chip_family.h"
#include "emulator/serial_eeprom.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

struct FamilyCase {
    uint16_t chipId;
    int32_t modeRegister;
    uint8_t modeValue;
    int32_t offsetRegister;
    int32_t lengthRegister;
    int32_t staging;
    int32_t startRegister;
    uint8_t startValue;
    uint8_t doneBit;
};

void PrintTo(const FamilyCase& c, std::ostream* out) { *out << "chip " << std::hex << c.chipId; }

class EepromEngineTest : public EmulatedLinkTest, public ::testing::WithParamInterface<FamilyCase> {
protected:
    void SetUp() override {
        board.addBoard(GetParam().chipId);
        openLink();
    }
    void writeByte(int32_t address, uint8_t value) { ASSERT_TRUE(boardWriteMemory(true, &value, address, 1)); }
    void writeWord(int32_t address, uint16_t value) {
        const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
        ASSERT_TRUE(boardWriteMemory(true, bytes, address, 2));
    }
    // One EEPROM page transfer as the host stages it; the mode byte is a parameter.
    void transferPage(uint16_t eepromAddress, const std::vector<uint8_t>& data, uint8_t mode) {
        const FamilyCase& f = GetParam();
        std::vector<uint8_t> record = {0xA0, static_cast<uint8_t>(eepromAddress >> 8),
                                       static_cast<uint8_t>(eepromAddress)};
        record.insert(record.end(), data.begin(), data.end());
        writeByte(f.modeRegister, mode);
        writeWord(f.offsetRegister, 0);
        writeWord(f.lengthRegister, static_cast<uint16_t>(record.size()));
        ASSERT_TRUE(boardWriteMemory(true, record.data(), f.staging, static_cast<int32_t>(record.size())));
        writeByte(f.startRegister, f.startValue);
    }
    uint8_t status() {
        uint8_t value = 0;
        notExamined(boardReadMemory(false, emulator::kEepromStatusRegister, &value, 1));
        return value;
    }
    std::vector<uint8_t> eeprom(uint16_t address, int count) {
        return board.withChip(0, [&](emulator::ChipModel& chip) { return chip.eeprom().bytes(address, count); });
    }
};

TEST_P(EepromEngineTest, PageReachesTheEepromAndDoneShows) {
    const std::vector<uint8_t> page = countingData(32);
    transferPage(0x0020, page, GetParam().modeValue);
    EXPECT_EQ(status() & GetParam().doneBit, GetParam().doneBit);
    EXPECT_EQ(eeprom(0x0020, 32), page);
    EXPECT_EQ(eeprom(0x0040, 1), std::vector<uint8_t>{0xFF});
}

TEST_P(EepromEngineTest, WriteBeyondThePageWrapsToItsStart) {
    transferPage(0x0010, countingData(20), GetParam().modeValue);
    std::vector<uint8_t> expected = countingData(20);
    EXPECT_EQ(eeprom(0x0010, 16), std::vector<uint8_t>(expected.begin(), expected.begin() + 16));
    EXPECT_EQ(eeprom(0x0000, 4), std::vector<uint8_t>(expected.begin() + 16, expected.end()));
    EXPECT_EQ(eeprom(0x0020, 1), std::vector<uint8_t>{0xFF});
}

TEST_P(EepromEngineTest, StartInTheWrongModeIsRefused) {
    transferPage(0x0000, {1, 2, 3}, static_cast<uint8_t>(GetParam().modeValue ^ 1));
    EXPECT_EQ(status() & GetParam().doneBit, 0);
    EXPECT_EQ(eeprom(0x0000, 3), std::vector<uint8_t>(3, 0xFF));
    EXPECT_EQ(board.withChip(0, [](emulator::ChipModel& chip) { return chip.eepromRefusedStarts(); }), 1);
}

TEST_P(EepromEngineTest, DoneCanTakeSomeReadsOrNeverShow) {
    board.withChip(0, [](emulator::ChipModel& chip) { chip.setEepromBusyReads(2); });
    transferPage(0x0000, {1}, GetParam().modeValue);
    EXPECT_EQ(status() & GetParam().doneBit, 0);
    EXPECT_EQ(status() & GetParam().doneBit, 0);
    EXPECT_EQ(status() & GetParam().doneBit, GetParam().doneBit);

    board.withChip(0, [](emulator::ChipModel& chip) { chip.setEepromNeverDone(true); });
    transferPage(0x0000, {2}, GetParam().modeValue);
    for (int read = 0; read < 5; ++read) EXPECT_EQ(status() & GetParam().doneBit, 0);
    EXPECT_EQ(eeprom(0x0000, 1), std::vector<uint8_t>{2});
}

INSTANTIATE_TEST_SUITE_P(ChipFamilies, EepromEngineTest,
                         ::testing::Values(FamilyCase{0x5B21, 0xF8D23, 0x00, 0xF8D08, 0xF8D0A, 0x21EFC, 0xF8D0F, 0x80, 0x01},
                                           FamilyCase{0x5B22, 0xF8D23, 0x00, 0xF8D08, 0xF8D0A, 0x21EFC, 0xF8D0F, 0x80, 0x01},
                                           FamilyCase{0x6D10, 0x8090, 0x00, 0x809E, 0x8098, 0x1EFC, 0x8132, 0x04, 0x01},
                                           FamilyCase{0x6D11, 0x8090, 0x00, 0x809E, 0x8098, 0x1EFC, 0x8132, 0x04, 0x01},
                                           FamilyCase{0x3C05, 0x8090, 0x01, 0x809E, 0x8098, 0x1EFC, 0x800A, 0x04, 0x20},
                                           FamilyCase{0x3C0A, 0x8090, 0x01, 0x809E, 0x8098, 0x1EFC, 0x800A, 0x04, 0x20},
                                           FamilyCase{0x7E40, 0x8090, 0x01, 0x809E, 0x8098, 0x1EFC, 0x800A, 0x04, 0x20},
                                           FamilyCase{0x1234, 0x8090, 0x01, 0x809E, 0x8098, 0x1EFC, 0x8006, 0x04, 0x20}));

TEST(SerialEeprom, RecordForAnotherDeviceOrWithoutAddressIsNotAcknowledged) {
    emulator::SerialEeprom eeprom;
    const uint8_t otherDevice[] = {0xA2, 0x00, 0x00, 0x11};
    const uint8_t noAddress[] = {0xA0, 0x00};
    EXPECT_FALSE(eeprom.transfer(otherDevice, 4));
    EXPECT_FALSE(eeprom.transfer(noAddress, 2));
    EXPECT_EQ(eeprom.pageWrites(), 0);
    EXPECT_EQ(eeprom.bytes(0, 1), std::vector<uint8_t>{0xFF});
}

}  // namespace
}  // namespace tessorin::testing
