#include "device/board_choice.h"

#include <gtest/gtest.h>

#include "device/board_commands.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

class BoardChoiceTest : public EmulatedLinkTest {
protected:
    // Boards 0 (serial SN-A), 1 (SN-B), a keyboard, 3 (no serial) and 4, 5 (both "DUP").
    BoardChoiceTest() {
        board.setIdentity(board.addBoard(0x6D10), "SN-A", "1-1.1");
        board.setIdentity(board.addBoard(0x6D10), "SN-B", "1-1.2");
        board.addForeignDevice(0x046D, 0xC31C);
        board.addBoard(0x6D10);
        board.setIdentity(board.addBoard(0x6D10), "DUP", "2-1");
        board.setIdentity(board.addBoard(0x6D10), "DUP", "2-2");
    }
};

TEST_F(BoardChoiceTest, ListingNamesEachBoardByAUniqueSerialOrElseItsPath) {
    std::vector<std::string> rows;
    for (const BoardListing& b : presentBoards()) rows.push_back(b.id + "|" + b.serial + "|" + b.path + "|" + b.devicePath);
    EXPECT_EQ(rows, (std::vector<std::string>{"SN-A|SN-A|1-1.1|emulated:1-1.1", "SN-B|SN-B|1-1.2|emulated:1-1.2",
                                              "1-1.4||1-1.4|emulated:1-1.4", "2-1|DUP|2-1|emulated:2-1",
                                              "2-2|DUP|2-2|emulated:2-2"}));
    board.unplug(1);
    EXPECT_EQ(presentBoards().size(), 4u);
}

TEST_F(BoardChoiceTest, EachDiscoveryTakesOnlyTheChosenBoard) {
    struct Case {
        const char* choice;
        int device;        // -1: no board
        const char* id;    // what the results file names it
    };
    const Case cases[] = {
        {"", 0, "SN-A"},  // no choice: the first board found
        {"SN-B", 1, "SN-B"},
        {"1-1.2", 1, "SN-B"},
        {"emulated:1-1.2", 1, "SN-B"},
        {"1-1.4", 3, "1-1.4"},
        {"2-2", 5, "2-2"},
        {"DUP", 4, "2-1"},  // a shared serial number takes the first board that has it
        {"SN-Z", -1, "SN-Z"},
        {"sn-b", -1, "sn-b"},  // names are exact
    };
    for (const Case& c : cases) {
        chooseBoard(c.choice);
        const HidHandle handle = openDownloadBoard();
        EXPECT_EQ(board.deviceOf(handle), c.device) << c.choice;
        EXPECT_EQ(currentBoardId(), c.id) << c.choice;
        board.close(handle);
    }
}

// A link reset after the chosen board went away rediscovers that board and
// never another, however many are present, until it is back.
TEST_F(BoardChoiceTest, LinkResetComesBackOnlyToTheChosenBoard) {
    chooseBoard("SN-B");
    openLink();
    EXPECT_EQ(board.deviceOf(hidLink()), 1);
    board.setTraceEnabled(false);  // every failed transfer of the polls below is a scan
    board.unplug(1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_FALSE(boardHandshake(kHandshakeParameter));
        EXPECT_FALSE(hidLinkOpen());
    }
    const int newcomer = board.addBoard(0x3C05);
    board.replug(1);
    // The poll's first write fails on the closed link and rediscovers; its next one reaches the board.
    EXPECT_TRUE(boardHandshake(kHandshakeParameter));
    EXPECT_EQ(board.deviceOf(hidLink()), 1);
    for (int other : {0, 3, 4, 5, newcomer}) EXPECT_EQ(board.timesOpened(other), 0) << other;
}

TEST_F(EmulatedLinkTest, ReportsSentCountsOnlyWholeReportsThatWentOut) {
    board.addBoard(0x6D10);
    openLink();
    const uint64_t before = reportsSent();
    const std::vector<uint8_t> image = countingData(200);  // 58 + 61 + 61 + 20: four reports
    EXPECT_TRUE(boardWriteMemory(true, image.data(), 0x2000, 200));
    EXPECT_EQ(reportsSent() - before, 4u);
    board.timeOutWrites(1);
    EXPECT_FALSE(boardWriteMemory(true, image.data(), 0x2000, 1));
    EXPECT_EQ(reportsSent() - before, 4u);
}

}  // namespace
}  // namespace tessorin::testing
