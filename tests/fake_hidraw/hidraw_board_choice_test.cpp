// Boards listed and chosen through hidapi, udev and sysfs: the serial number
// and the USB port path come from the real look-ups.
#include <string>
#include <vector>

#include "device/board_choice.h"
#include "tests/fake_hidraw/fake_board_test.h"

namespace tessorin::testing {
namespace {

class HidrawBoardChoice : public FakeBoardTest {
protected:
    ~HidrawBoardChoice() override { chooseBoard({}); }
};

TEST_F(HidrawBoardChoice, ListingShowsSerialNumbersAndUsbPorts) {
    const int first = boards.addBoard(0x6D10);
    boards.addForeignDevice(0x046D, 0xC31C);
    const int second = boards.addBoard(0x6D10);
    std::vector<std::string> rows;
    for (const BoardListing& b : presentBoards()) rows.push_back(b.id + "|" + b.serial + "|" + b.path + "|" + b.devicePath);
    EXPECT_EQ(rows, (std::vector<std::string>{
                        boards.serial(first) + "|" + boards.serial(first) + "|1-1|" + boards.devicePath(first),
                        boards.serial(second) + "|" + boards.serial(second) + "|1-3|" + boards.devicePath(second)}));
}

// By serial number or by port, the choice holds when the board comes back
// under another hidraw node; the board before it in enumeration order is never opened.
TEST_F(HidrawBoardChoice, ChosenBoardIsFoundAgainUnderItsNewNode) {
    const int other = boards.addBoard(0x6D10);
    const int chosen = boards.addBoard(0x6D10);
    for (const std::string& choice : {boards.serial(chosen), std::string("1-2")}) {
        chooseBoard(choice);
        openLink();
        EXPECT_TRUE(handshakeAnswered()) << choice;
        const std::string nodeBefore = boards.devicePath(chosen);
        boards.unplug(chosen);
        EXPECT_FALSE(handshakeAnswered()) << choice;
        EXPECT_FALSE(hidLinkOpen()) << choice;
        boards.replug(chosen);
        ASSERT_NE(boards.devicePath(chosen), nodeBefore);
        EXPECT_FALSE(handshakeAnswered()) << "the write on the closed link rediscovers";
        EXPECT_TRUE(handshakeAnswered()) << choice;
        closeHidLink();
    }
    EXPECT_EQ(boards.opens(other), 0);
    EXPECT_EQ(boards.opens(chosen), 4);
}

}  // namespace
}  // namespace tessorin::testing
