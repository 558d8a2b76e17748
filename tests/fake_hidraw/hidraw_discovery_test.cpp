#include <hidapi/hidapi.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/fake_hidraw/fake_board_test.h"

namespace tessorin::testing {
namespace {

using HidrawDiscovery = FakeBoardTest;

std::string narrow(const wchar_t* text) {
    std::string result;
    for (; text && *text; ++text) result += static_cast<char>(*text);
    return result;
}

TEST_F(HidrawDiscovery, NoBoardAmongOtherDevicesGivesInvalidHandle) {
    const int keyboard = boards.addForeignDevice(0x046D, 0xC31C);
    const int otherProduct = boards.addForeignDevice(kBoardVendorId, 0x4A03);
    EXPECT_EQ(openDownloadBoard(), kInvalidHidHandle);
    // The ids come from udev: a device that does not match is never opened.
    EXPECT_EQ(boards.opens(keyboard), 0);
    EXPECT_EQ(boards.opens(otherProduct), 0);
}

TEST_F(HidrawDiscovery, OtherProductEarlierInOrderIsSkipped) {
    const int otherProduct = boards.addForeignDevice(kBoardVendorId, 0x4A03);
    const int board = boards.addBoard(0x6D10);
    openLink();
    EXPECT_TRUE(handshakeAnswered());
    EXPECT_EQ(boards.opens(board), 1);
    EXPECT_EQ(boards.requests(board).size(), 1u);
    EXPECT_EQ(boards.opens(otherProduct), 0);
    EXPECT_TRUE(boards.requests(otherProduct).empty());
}

TEST_F(HidrawDiscovery, FirstBoardInEnumerationOrderWinsEveryTime) {
    const int first = boards.addBoard(0x6D10);
    const int second = boards.addBoard(0x3C05);
    auto openAndClose = [] {
        const HidHandle handle = openDownloadBoard();
        EXPECT_NE(handle, kInvalidHidHandle);
        hidTransport().close(handle);
    };
    for (int round = 0; round < 3; ++round) openAndClose();
    EXPECT_EQ(boards.opens(first), 3);
    // Replugged, the first board gets a higher node number than the second;
    // enumeration still follows the bus, so it still wins.
    boards.unplug(first);
    boards.replug(first);
    ASSERT_GT(boards.devicePath(first), boards.devicePath(second));
    openAndClose();
    EXPECT_EQ(boards.opens(first), 4);
    EXPECT_EQ(boards.opens(second), 0);
}

TEST_F(HidrawDiscovery, EachBoardShowsItsOwnSerialAndNode) {
    const int first = boards.addBoard(0x6D10);
    boards.addForeignDevice(kBoardVendorId, 0x4A03);
    const int second = boards.addBoard(0x6D10);
    ASSERT_NE(boards.serial(first), boards.serial(second));

    std::vector<std::pair<std::string, std::string>> listed;
    hid_device_info* devices = hid_enumerate(kBoardVendorId, kBoardProductId);
    for (hid_device_info* info = devices; info; info = info->next) listed.emplace_back(info->path, narrow(info->serial_number));
    hid_free_enumeration(devices);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {boards.devicePath(first), boards.serial(first)}, {boards.devicePath(second), boards.serial(second)}};
    EXPECT_EQ(listed, expected);

    // An open handle finds its strings through the node's device number.
    hid_device* handle = hid_open_path(boards.devicePath(second).c_str());
    ASSERT_NE(handle, nullptr);
    wchar_t serial[32] = {};
    EXPECT_EQ(hid_get_serial_number_string(handle, serial, 32), 0);
    EXPECT_EQ(narrow(serial), boards.serial(second));
    hid_close(handle);
}

}  // namespace
}  // namespace tessorin::testing
