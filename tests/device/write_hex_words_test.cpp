#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "base/not_examined.h"
#include "device/board_commands.h"
#include "runner/log_capture.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

class WriteHexWordsTest : public EmulatedLinkTest {
protected:
    void SetUp() override {
        board.addBoard(0x6D10);
        openLink();
    }
    std::vector<uint8_t> chipBytes(uint32_t address, int count) {
        return board.withChip(0, [&](emulator::ChipModel& chip) { return chip.peek(address, count); });
    }
    runner::LogCapture log;
};

struct HexWordsCase {
    const char* text;
    const char* log;
    const char* trace;
    std::vector<uint8_t> memory;  // from 0x4C
};

void PrintTo(const HexWordsCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class WriteHexWordsCaseTest : public WriteHexWordsTest, public ::testing::WithParamInterface<HexWordsCase> {};

TEST_P(WriteHexWordsCaseTest, TextPairsLandInTextOrder) {
    const HexWordsCase& c = GetParam();
    notExamined(writeHexWords(0x4C, c.text));
    EXPECT_EQ(log.maskedText(), c.log);
    EXPECT_EQ(board.trace(), c.trace);
    EXPECT_EQ(chipBytes(0x4C, static_cast<int>(c.memory.size())), c.memory);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WriteHexWordsCaseTest,
    ::testing::Values(
        HexWordsCase{"0c", "[T]\t\treverse:0c\n\n", "> f2 16 04 4c 00 0c\n", {0x0C, 0, 0, 0}},
        HexWordsCase{"123", "[T]\t\treverse:12\n\n", "> f2 16 04 4c 00 12\n", {0x12, 0, 0, 0}},
        HexWordsCase{"0x12", "[T]\t\treverse:120x\n\n", "> f2 16 04 4c 00 20 01\n", {0x20, 0x01, 0, 0}},
        HexWordsCase{"11223344", "[T]\t\treverse:44332211\n\n", "> f2 16 04 4c 00 11 22 33 44\n",
                     {0x11, 0x22, 0x33, 0x44}},
        HexWordsCase{"1122334455", "[T]\t\treverse:44332211\n\n[T]\t\treverse:55\n\n",
                     "> f2 16 04 4c 00 11 22 33 44\n> f2 16 04 50 00 55\n",
                     {0x11, 0x22, 0x33, 0x44, 0x55, 0, 0, 0}},
        HexWordsCase{"", "", "", {}}));

TEST_F(WriteHexWordsTest, GroupWithoutLeadingHexDigitRaisesAfterEarlierGroupsAreWritten) {
    EXPECT_THROW(notExamined(writeHexWords(0x4C, "11223344zz")), std::invalid_argument);
    EXPECT_EQ(board.trace(), "> f2 16 04 4c 00 11 22 33 44\n");
    EXPECT_EQ(log.maskedText(), "[T]\t\treverse:44332211\n\n[T]\t\treverse:zz\n\n");
}

TEST_F(WriteHexWordsTest, LogLineTakesTheTextAsDataNotAsFormat) {
    EXPECT_THROW(notExamined(writeHexWords(0x4C, "%s%n")), std::invalid_argument);
    EXPECT_EQ(log.maskedText(), "[T]\t\treverse:%n%s\n\n");
    EXPECT_EQ(board.trace(), "");
}

}  // namespace
}  // namespace tessorin::testing
