#include "emulator/chip_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/board_commands.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

using emulator::ChipModel;

TEST(ChipModel, CpuStatusFollowsControlBitZero) {
    ChipModel chip(0x6D10);
    chip.poke(0x8204, 0xF0);
    for (uint8_t control : {0x01, 0x02, 0x03, 0x00}) {
        chip.write(0x8203, control);
        EXPECT_EQ(chip.read(0x8204), 0xF0 | (control & 1)) << int(control);
        EXPECT_EQ(chip.cpuHeld(), (control & 1) != 0);
    }
}

TEST(ChipModel, IndirectWindowWritesAndReadsTheIndirectSpace) {
    for (uint16_t chipId : {0x6D10, 0x5B22, 0x3C07}) {
        ChipModel chip(chipId);
        const emulator::ChipFamily& family = chip.family();
        const uint8_t window[6] = {0x03, 0x00, 0x5F, 0xA0, 0xF3, 0xED};
        for (int i = 0; i < 6; ++i) chip.write(family.indirectWindow + static_cast<uint32_t>(i), window[i]);
        EXPECT_EQ(chip.indirectRegister(0xEDF3), 0xA05F0003u) << std::hex << chipId;

        // The target alone asks for a value; the earlier value is not written again.
        chip.setIndirectRegister(0x101C, 0x11223344);
        chip.write(family.indirectTarget, 0x1C);
        chip.write(family.indirectTarget + 1, 0x10);
        EXPECT_EQ(chip.peek(family.indirectResult, 4), (std::vector<uint8_t>{0x44, 0x33, 0x22, 0x11}));
        EXPECT_EQ(chip.indirectRegister(0x101C), 0x11223344u);
    }
}

class CodeLoadTest : public EmulatedLinkTest {
protected:
    void SetUp() override {
        board.addBoard(0x3C05);
        openLink();
    }
    void writeByte(int32_t address, uint8_t value) { ASSERT_TRUE(boardWriteMemory(true, &value, address, 1)); }
    void setUpPort() {
        writeByte(0x8022, 0x00);
        writeByte(0x8023, 0x80);
        writeByte(0x8024, 0x00);
    }
    std::vector<uint8_t> captured() {
        return board.withChip(0, [](ChipModel& chip) { return chip.codeLoad(); });
    }
};

TEST_F(CodeLoadTest, PortCapturesTheStreamWhileTheCpuIsHeld) {
    ASSERT_TRUE(boardSetCpuControl(1));
    setUpPort();
    const std::vector<uint8_t> image = countingData(200);
    ASSERT_TRUE(boardWriteMemory(false, image.data(), 0x8025, 200));
    EXPECT_EQ(captured(), image);
    EXPECT_EQ(board.withChip(0, [](ChipModel& chip) { return chip.peek(0x8025); }), 0);
}

TEST_F(CodeLoadTest, PortIgnoresBytesWithoutSetUpOrWithRunningCpu) {
    const std::vector<uint8_t> image = countingData(10);
    setUpPort();
    ASSERT_TRUE(boardWriteMemory(false, image.data(), 0x8025, 10));  // CPU running
    ASSERT_TRUE(boardSetCpuControl(1));
    writeByte(0x8023, 0x00);
    ASSERT_TRUE(boardWriteMemory(false, image.data(), 0x8025, 10));  // port not set up
    EXPECT_EQ(captured(), std::vector<uint8_t>{});
    EXPECT_EQ(board.withChip(0, [](ChipModel& chip) { return chip.codeLoadRejected(); }), 20);
}

}  // namespace
}  // namespace tessorin::testing
