#include <gtest/gtest.h>

#include "device/board_commands.h"
#include "device/chip_id_cache.h"
#include "runner/log_capture.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

using BoardRegisterTest = EmulatedLinkTest;

TEST_F(BoardRegisterTest, ChipIdIsReadOnceAndKeptAcrossChipSwap) {
    board.addBoard(0x6D10);
    openLink();
    EXPECT_EQ(boardReadChipId(), 0x6D10u);
    EXPECT_EQ(board.trace(), "> f2 14 02 00 80\n< 10 6d\n");
    board.attachChip(0, 0x5B21);
    board.clearTrace();
    EXPECT_EQ(boardReadChipId(), 0x6D10u);
    EXPECT_EQ(board.trace(), "");
}

TEST_F(BoardRegisterTest, ChipIdFromMissingReplyIsNotKept) {
    board.addBoard(0x3C09);
    openLink();
    board.dropReplies(1);
    EXPECT_EQ(boardReadChipId(), 0u);
    EXPECT_EQ(boardReadChipId(), 0x3C09u);
    EXPECT_EQ(boardReadChipId(), 0x3C09u);
    EXPECT_EQ(board.trace(), "> f2 14 02 00 80\n> f2 14 02 00 80\n< 09 3c\n");
}

TEST_F(BoardRegisterTest, ChipIdWithoutBoardIsNotKept) {
    EXPECT_EQ(boardReadChipId(), 0u);
    board.addBoard(0x7E40);
    EXPECT_EQ(boardReadChipId(), 0u);  // this transfer only finds the board
    EXPECT_EQ(boardReadChipId(), 0x7E40u);
}

TEST_F(BoardRegisterTest, KnownChipList) {
    struct Case {
        uint16_t chipId;
        bool known;
    };
    board.addBoard(0x0000);
    openLink();
    for (Case c : {Case{0x3C05, true}, Case{0x3C06, true}, Case{0x3C07, true}, Case{0x3C09, true},
                   Case{0x5B21, true}, Case{0x5B22, true}, Case{0x7E40, true}, Case{0x6D10, true},
                   Case{0x6D11, true}, Case{0x3C0A, true}, Case{0x3C08, false}, Case{0x0000, false},
                   Case{0xFFFF, false}}) {
        resetChipIdCache();
        board.attachChip(0, c.chipId);
        EXPECT_EQ(chipInKnownList(), c.known) << std::hex << c.chipId;
    }
}

TEST_F(BoardRegisterTest, CpuControlOrsTheMaskIntoTheRegister) {
    board.addBoard(0x6D10);
    openLink();
    board.withChip(0, [](emulator::ChipModel& chip) { chip.poke(0x8203, 0x04); });
    EXPECT_TRUE(boardSetCpuControl(1));
    EXPECT_EQ(board.trace(), "> f2 15 01 03 82\n< 04\n> f2 16 01 03 82 05\n");
    EXPECT_TRUE(boardSetCpuControl(3));
    EXPECT_EQ(board.withChip(0, [](emulator::ChipModel& chip) { return chip.peek(0x8203); }), 0x07);
    EXPECT_TRUE(board.withChip(0, [](emulator::ChipModel& chip) { return chip.cpuHeld(); }));
}

TEST_F(BoardRegisterTest, CpuControlReportsAFailedWrite) {
    board.addBoard(0x6D10);
    openLink();
    board.timeOutWrites(2);
    EXPECT_FALSE(boardSetCpuControl(1));
}

TEST_F(BoardRegisterTest, CpuStateLine) {
    board.addBoard(0x6D10);
    openLink();
    runner::LogCapture log;
    board.withChip(0, [](emulator::ChipModel& chip) { chip.setProgramCounter(0x1A2B); });
    boardReportCpuState();
    ASSERT_TRUE(boardSetCpuControl(1));
    boardReportCpuState();
    board.withChip(0, [](emulator::ChipModel& chip) { chip.setProgramCounter(0); });
    boardReportCpuState();
    EXPECT_EQ(log.text(), "CPU Running, PC 1a2b\nCPU Stopped, PC 1a2b\nCPU Stopped, PC 0\n");
}

struct IndirectCase {
    uint16_t chipId;
    const char* writeRequest;      // value 0xA05F0003 to target 0xEDF3
    const char* readAddressWrite;  // target 0xEDF2
    const char* resultRead;
};

void PrintTo(const IndirectCase& c, std::ostream* out) { *out << "chip " << std::hex << c.chipId; }

class BoardIndirectTest : public EmulatedLinkTest, public ::testing::WithParamInterface<IndirectCase> {};

TEST_P(BoardIndirectTest, WindowAddressesFollowTheChip) {
    const IndirectCase& c = GetParam();
    board.addBoard(c.chipId);
    openLink();
    ASSERT_EQ(boardReadChipId(), c.chipId);
    board.withChip(0, [](emulator::ChipModel& chip) { chip.setIndirectRegister(0xEDF2, 0x00020001); });
    board.clearTrace();

    EXPECT_TRUE(boardIndirectWrite(0xA05F0003, 0xEDF3));
    EXPECT_EQ(boardIndirectRead(0xEDF2), 0x00020001u);
    EXPECT_EQ(board.trace(), std::string(c.writeRequest) + "\n" + c.readAddressWrite + "\n" + c.resultRead +
                                 "\n< 01 00 02\n");
    EXPECT_EQ(board.withChip(0, [](emulator::ChipModel& chip) { return chip.indirectRegister(0xEDF3); }),
              0xA05F0003u);
}

INSTANTIATE_TEST_SUITE_P(
    ChipFamilies, BoardIndirectTest,
    ::testing::Values(IndirectCase{0x5B21, "> f2 16 06 50 80 03 00 5f a0 f3 ed", "> f2 16 02 54 80 f2 ed",
                                   "> f2 14 04 14 81"},
                      IndirectCase{0x5B22, "> f2 16 06 50 80 03 00 5f a0 f3 ed", "> f2 16 02 54 80 f2 ed",
                                   "> f2 14 04 14 81"},
                      IndirectCase{0x3C06, "> f2 16 06 26 80 03 00 5f a0 f3 ed", "> f2 16 02 2a 80 f2 ed",
                                   "> f2 14 04 5e 83"},
                      IndirectCase{0x3C09, "> f2 16 06 26 80 03 00 5f a0 f3 ed", "> f2 16 02 2a 80 f2 ed",
                                   "> f2 14 04 5e 83"},
                      IndirectCase{0x6D10, "> f2 16 06 26 80 03 00 5f a0 f3 ed", "> f2 16 02 2a 80 f2 ed",
                                   "> f2 14 04 5c 81"},
                      IndirectCase{0x1234, "> f2 16 06 26 80 03 00 5f a0 f3 ed", "> f2 16 02 2a 80 f2 ed",
                                   "> f2 14 04 5c 81"}));

TEST_F(BoardRegisterTest, Reg8010IsWrittenOneAndAlwaysReportsSuccess) {
    EXPECT_TRUE(boardSetReg8010());  // no board at all
    board.addBoard(0x6D10);
    openLink();
    EXPECT_TRUE(boardSetReg8010());
    EXPECT_EQ(board.trace(), "> f2 16 01 10 80 01\n");
}

}  // namespace
}  // namespace tessorin::testing
