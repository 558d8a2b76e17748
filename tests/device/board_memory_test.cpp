#include <gtest/gtest.h>

#include <vector>

#include "device/board_commands.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

class BoardMemoryTest : public EmulatedLinkTest {
protected:
    void SetUp() override {
        chipBoard = board.addBoard(0x6D10);
        openLink();
    }
    // The bytes the chip holds, as a test reads them without traffic.
    std::vector<uint8_t> chipBytes(uint32_t address, int count) {
        return board.withChip(chipBoard, [&](emulator::ChipModel& chip) { return chip.peek(address, count); });
    }
    void fillChip(uint32_t address, const std::vector<uint8_t>& bytes) {
        board.withChip(chipBoard, [&](emulator::ChipModel& chip) {
            for (size_t i = 0; i < bytes.size(); ++i) chip.poke(address + static_cast<uint32_t>(i), bytes[i]);
        });
    }
    int chipBoard = 0;
};

TEST_F(BoardMemoryTest, EmptyOrNegativeLengthSendsNothing) {
    uint8_t byte = 0x5A;
    for (int32_t length : {0, -1, -64}) {
        EXPECT_TRUE(boardReadMemory(true, 0x1000, &byte, length));
        EXPECT_TRUE(boardWriteMemory(true, &byte, 0x1000, length));
    }
    EXPECT_EQ(byte, 0x5A);
    EXPECT_EQ(board.journal(), "");
}

TEST_F(BoardMemoryTest, ReadOf64BytesAt0x1000TakesTwoRequests) {
    std::vector<uint8_t> read(64);
    EXPECT_TRUE(boardReadMemory(true, 0x1000, read.data(), 64));
    EXPECT_EQ(board.trace(), "> f2 14 3f 00 10\n< 00\n> f2 10 01\n< 00\n");
}

TEST_F(BoardMemoryTest, ChunkedReadDeliversTheChipBytesInOrder) {
    const std::vector<uint8_t> stored = countingData(150);
    fillChip(0x1000, stored);
    std::vector<uint8_t> read(150);
    EXPECT_TRUE(boardReadMemory(true, 0x1000, read.data(), 150));
    EXPECT_EQ(read, stored);
    // Continuations rewrite bytes 1 and 2 only: the rest is what the last reply left.
    EXPECT_EQ(board.trace(), "> f2 14 3f 00 10\n< " + countingBytes(0, 63) + "\n" +
                                 "> f2 10 3f " + countingBytes(2, 61) + "\n< " + countingBytes(63, 63) + "\n" +
                                 "> f2 10 18 " + countingBytes(65, 61) + "\n< " + countingBytes(126, 24) + "\n");
}

TEST_F(BoardMemoryTest, WriteOf130BytesAt0x1EFCTakesThreeReports) {
    const std::vector<uint8_t> data = countingData(130);
    EXPECT_TRUE(boardWriteMemory(true, data.data(), 0x1EFC, 130));
    // The last report still holds the tail of the one before it after its 11 bytes.
    EXPECT_EQ(board.trace(), "> f2 16 3a fc 1e " + countingBytes(0, 58) + "\n" +
                                 "> f2 12 3d " + countingBytes(58, 61) + "\n" +
                                 "> f2 12 0b " + countingBytes(119, 11) + " " + countingBytes(69, 50) + "\n");
    EXPECT_EQ(chipBytes(0x1EFC, 130), data);
}

TEST_F(BoardMemoryTest, FixedAddressWriteOf100BytesAt0x21EFC) {
    const std::vector<uint8_t> data = countingData(100);
    EXPECT_TRUE(boardWriteMemory(false, data.data(), 0x21EFC, 100));
    EXPECT_EQ(board.trace(), "> f2 25 3a fc 1e 02 " + countingBytes(0, 58) + "\n" +
                                 "> f2 13 2a " + countingBytes(58, 42) + " " + countingBytes(39, 19) + "\n");
}

TEST_F(BoardMemoryTest, ReadAbove24BitsUsesItsOwnCode) {
    fillChip(0x1000000, {0x42});
    uint8_t byte = 0;
    EXPECT_TRUE(boardReadMemory(true, 0x1000000, &byte, 1));
    EXPECT_EQ(byte, 0x42);
    EXPECT_EQ(board.trace(), "> f2 26 01\n< 42\n");
}

struct RangeCase {
    bool autoIncrement;
    int32_t address;
    const char* readRequest;
    const char* writeRequest;  // one byte 0x5A written
};

void PrintTo(const RangeCase& c, std::ostream* out) {
    *out << (c.autoIncrement ? "incrementing at " : "fixed at ") << std::hex << c.address;
}

class BoardMemoryRangeTest : public BoardMemoryTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(BoardMemoryRangeTest, FirstReportCodeAndAddressBytesFollowTheRange) {
    const RangeCase& c = GetParam();
    uint8_t byte = 0x5A;
    ASSERT_TRUE(boardWriteMemory(c.autoIncrement, &byte, c.address, 1));
    EXPECT_EQ(board.trace(), std::string(c.writeRequest) + "\n");
    board.clearTrace();
    ASSERT_TRUE(boardReadMemory(c.autoIncrement, c.address, &byte, 1));
    EXPECT_EQ(board.trace().substr(0, board.trace().find('\n')), c.readRequest);
    EXPECT_EQ(byte, 0x5A) << "the emulated chip decodes the address the same way";
}

INSTANTIATE_TEST_SUITE_P(
    AddressRanges, BoardMemoryRangeTest,
    ::testing::Values(RangeCase{true, 0x8203, "> f2 14 01 03 82", "> f2 16 01 03 82 5a"},
                      RangeCase{false, 0x8203, "> f2 15 01 03 82", "> f2 17 01 03 82 5a"},
                      RangeCase{false, 0xFFFF, "> f2 15 01 ff ff", "> f2 17 01 ff ff 5a"},
                      RangeCase{true, 0x10000, "> f2 1d 01", "> f2 1e 01 00 00 5a"},
                      RangeCase{false, 0x1FFFF, "> f2 1d 01 ff ff", "> f2 1e 01 ff ff 5a"},
                      RangeCase{true, 0x20000, "> f2 24 01 00 00 02", "> f2 25 01 00 00 02 5a"},
                      RangeCase{false, 0xF8D23, "> f2 24 01 23 8d 0f", "> f2 25 01 23 8d 0f 5a"}));

// Reads have a code of their own above 24 bits; writes do not, and address bits
// 24-31 never go out.
TEST_F(BoardMemoryTest, AddressBitsAbove23AreNeverSent) {
    uint8_t byte = 0x5A;
    ASSERT_TRUE(boardWriteMemory(true, &byte, 0x1234567, 1));
    ASSERT_TRUE(boardReadMemory(true, 0x1234567, &byte, 1));
    EXPECT_EQ(board.trace(), "> f2 25 01 67 45 23 5a\n> f2 26 01 67 45 23\n< 00\n");
}

TEST_F(BoardMemoryTest, NegativeAddressIsBelowEveryRange) {
    uint8_t byte = 0;
    ASSERT_TRUE(boardReadMemory(false, -2, &byte, 1));
    EXPECT_EQ(board.trace(), "> f2 15 01 fe ff\n< 00\n");
}

TEST_F(BoardMemoryTest, MissingReplyReadsAsZerosButTheReadSucceeds) {
    fillChip(0x8000, {0x10, 0x6D});
    board.dropReplies(1);
    std::vector<uint8_t> read = {0xEE, 0xEE};
    EXPECT_TRUE(boardReadMemory(true, 0x8000, read.data(), 2));
    EXPECT_EQ(read, (std::vector<uint8_t>{0, 0}));
}

TEST_F(BoardMemoryTest, FailedRequestEndsTheTransferKeepingEarlierChunks) {
    fillChip(0x1000, countingData(150));
    // The second request is handled, then the board is gone: its reply never
    // comes (zeros) and the third request cannot go out.
    board.unplugAfterRequests(chipBoard, 2);
    std::vector<uint8_t> read(150, 0xEE);
    EXPECT_FALSE(boardReadMemory(true, 0x1000, read.data(), 150));
    EXPECT_EQ(std::vector<uint8_t>(read.begin(), read.begin() + 63), countingData(63));
    EXPECT_EQ(std::vector<uint8_t>(read.begin() + 63, read.begin() + 126), std::vector<uint8_t>(63, 0));
    EXPECT_EQ(std::vector<uint8_t>(read.begin() + 126, read.end()), std::vector<uint8_t>(24, 0xEE));

    board.replug(chipBoard);
    board.unplugAfterRequests(chipBoard, 1);
    openLink();
    const std::vector<uint8_t> data = countingData(100);
    EXPECT_FALSE(boardWriteMemory(true, data.data(), 0x3000, 100));
    EXPECT_EQ(board.trace(), "> f2 16 3a 00 30 " + countingBytes(0, 58) + "\n");
}

}  // namespace
}  // namespace tessorin::testing
