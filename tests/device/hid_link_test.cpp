#include "device/hid_link.h"

#include <gtest/gtest.h>

#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

using HidDiscoveryTest = EmulatedLinkTest;
using HidLinkTest = EmulatedLinkTest;

DevicePacket handshakeRequest() {
    DevicePacket packet;
    packet[1] = 0x18;
    packet[3] = 0x80;
    return packet;
}

TEST_F(HidDiscoveryTest, NoBoardGivesInvalidHandleAfterExaminingEveryDevice) {
    const int keyboard = board.addForeignDevice(0x046D, 0xC31C);
    const int otherProduct = board.addForeignDevice(kBoardVendorId, 0x4A03);
    EXPECT_EQ(openDownloadBoard(), kInvalidHidHandle);
    for (int device : {keyboard, otherProduct}) {
        EXPECT_EQ(board.timesOpened(device), 1) << device;
        EXPECT_EQ(board.timesClosed(device), 1) << device;
    }
    EXPECT_EQ(board.openHandles(), 0);
}

TEST_F(HidDiscoveryTest, DeviceWithOtherProductIsSkipped) {
    const int otherProduct = board.addForeignDevice(kBoardVendorId, 0x4A03);
    const int downloadBoard = board.addBoard(0x6D10);
    const HidHandle handle = openDownloadBoard();
    EXPECT_EQ(board.deviceOf(handle), downloadBoard);
    EXPECT_EQ(board.timesClosed(otherProduct), 1);
    EXPECT_EQ(board.timesClosed(downloadBoard), 0);
}

TEST_F(HidDiscoveryTest, FirstOfTwoBoardsWinsEveryTime) {
    const int first = board.addBoard(0x6D10);
    const int second = board.addBoard(0x3C05);
    for (int round = 0; round < 3; ++round) {
        const HidHandle handle = openDownloadBoard();
        EXPECT_EQ(board.deviceOf(handle), first);
        board.close(handle);
    }
    EXPECT_EQ(board.timesOpened(second), 0);
}

TEST_F(HidLinkTest, RequestGoesOutWithReportIdWhateverByteZeroHeld) {
    board.addBoard(0x6D10);
    openLink();
    for (uint8_t byteZero : {0x00, 0x01, 0xF1, 0xF2, 0xFF}) {
        DevicePacket packet = handshakeRequest();
        packet[0] = byteZero;
        EXPECT_TRUE(writePacket(packet));
        EXPECT_EQ(packet[0], kRequestReportId);
        EXPECT_TRUE(readPacket(packet));
    }
    std::string expected;
    for (int i = 0; i < 5; ++i) expected += "> f2 18 00 80\n< 02\n";
    EXPECT_EQ(board.trace(), expected);
}

TEST_F(HidLinkTest, WriteOnClosedLinkFailsAndLeavesFreshDiscoveryInLink) {
    const int downloadBoard = board.addBoard(0x6D10);
    DevicePacket packet = handshakeRequest();
    EXPECT_FALSE(writePacket(packet));
    EXPECT_EQ(board.deviceOf(hidLink()), downloadBoard);
    EXPECT_EQ(board.trace(), "");
    // The failed request was not retried; the next one goes to the found board.
    EXPECT_TRUE(writePacket(packet));
    EXPECT_EQ(board.trace(), "> f2 18 00 80\n");
}

TEST_F(HidLinkTest, WriteOnClosedLinkWithoutBoardLeavesLinkClosed) {
    DevicePacket packet = handshakeRequest();
    EXPECT_FALSE(writePacket(packet));
    EXPECT_FALSE(writePacket(packet));
    EXPECT_FALSE(hidLinkOpen());
    // Every failed transfer looks for the board again.
    EXPECT_EQ(board.scans(), 2);
}

TEST_F(HidLinkTest, ReadTimeOutZeroFillsAndReopens) {
    const int downloadBoard = board.addBoard(0x6D10);
    openLink();
    const HidHandle before = hidLink();
    board.dropReplies(1);
    DevicePacket packet = handshakeRequest();
    ASSERT_TRUE(writePacket(packet));
    const uint64_t start = session.clock.nowMicros();
    EXPECT_FALSE(readPacket(packet));
    EXPECT_EQ(packet.bytes, DevicePacket{}.bytes);
    EXPECT_GE(session.clock.nowMicros() - start, 2'000'000u);
    EXPECT_NE(hidLink(), before);
    EXPECT_EQ(board.deviceOf(hidLink()), downloadBoard);
    EXPECT_EQ(board.deviceOf(before), -1);

    packet = handshakeRequest();
    ASSERT_TRUE(writePacket(packet));
    EXPECT_TRUE(readPacket(packet));
    EXPECT_EQ(packet[1], 2);
}

TEST_F(HidLinkTest, WriteTimeOutFailsAndReopens) {
    board.addBoard(0x6D10);
    openLink();
    const HidHandle before = hidLink();
    board.timeOutWrites(1);
    DevicePacket packet = handshakeRequest();
    EXPECT_FALSE(writePacket(packet));
    EXPECT_NE(hidLink(), before);
    EXPECT_TRUE(hidLinkOpen());
    EXPECT_EQ(board.journal(), "# write time-out\n# close 0\n# open 0\n");
}

TEST_F(HidLinkTest, ShortReadZeroFillsWithoutReset) {
    board.addBoard(0x6D10);
    openLink();
    const HidHandle before = hidLink();
    const int scans = board.scans();
    board.shortenReads(1, 20);
    DevicePacket packet = handshakeRequest();
    ASSERT_TRUE(writePacket(packet));
    EXPECT_FALSE(readPacket(packet));
    EXPECT_EQ(packet.bytes, DevicePacket{}.bytes);
    EXPECT_EQ(hidLink(), before);
    EXPECT_EQ(board.scans(), scans);
}

// The reply to a timed-out request comes after all; the reset closed the handle
// it was queued on, so the next request gets its own reply, not the stale one.
TEST_F(HidLinkTest, LateReplyToTimedOutRequestIsNeverTakenForTheNextReply) {
    board.addBoard(0x6D10);
    openLink();
    board.delayReplies(1);
    DevicePacket packet = handshakeRequest();
    ASSERT_TRUE(writePacket(packet));
    EXPECT_FALSE(readPacket(packet));

    DevicePacket poll;
    poll[1] = 0x1C;
    poll[3] = 0x80;
    board.setReadyReply(0, 5);
    ASSERT_TRUE(writePacket(poll));
    EXPECT_TRUE(readPacket(poll));
    EXPECT_EQ(poll[1], 5);
    EXPECT_EQ(board.journal(),
              "> f2 18 00 80\n# reply delayed\n# read time-out\n# late reply queued\n# close 0\n# open 0\n"
              "> f2 1c 00 80\n< 05\n");
}

TEST_F(HidLinkTest, TransfersAfterUnplugFailAtOnceAndFindTheBoardWhenItIsBack) {
    board.addBoard(0x6D10);
    openLink();
    board.unplug(0);
    DevicePacket packet = handshakeRequest();
    const uint64_t start = session.clock.nowMicros();
    EXPECT_FALSE(writePacket(packet));
    EXPECT_FALSE(hidLinkOpen());
    EXPECT_FALSE(readPacket(packet));
    // No time-out is waited for: an unplugged device fails at once.
    EXPECT_LT(session.clock.nowMicros() - start, 1000u);
    board.replug(0);
    EXPECT_FALSE(writePacket(packet));  // this one only finds the board again
    EXPECT_TRUE(hidLinkOpen());
    packet = handshakeRequest();
    EXPECT_TRUE(writePacket(packet));
    EXPECT_TRUE(readPacket(packet));
    EXPECT_EQ(packet[1], 2);
}

TEST(DelayMicroseconds, WaitsAtLeastTheRequestedTimeOnTheVirtualClock) {
    VirtualClock clock;
    ScopedClock installed(clock);
    for (double micros : {0.0, 1.0, 5000.0}) {
        const uint64_t start = clock.nowMicros();
        delayMicroseconds(micros);
        EXPECT_GE(static_cast<double>(clock.nowMicros() - start), micros);
        EXPECT_LT(static_cast<double>(clock.nowMicros() - start), micros + 10);
    }
}

// A counter that runs backwards after its first read.
class BackwardsClock final : public Clock {
public:
    LocalTime localTime() override { return {}; }
    uint64_t tickMs() override { return 0; }
    void sleepMs(uint32_t) override {}
    int64_t perfCounter() override {
        ++reads;
        // A loop that ignored the negative step would end here at the latest.
        return reads > 1000 ? 1'000'000'000'000 : 1'000'000 - reads;
    }
    int64_t perfFrequency() override { return 1'000'000; }
    int reads = 0;
};

TEST(DelayMicroseconds, ReturnsAtOnceWhenTheCounterGoesBack) {
    BackwardsClock clock;
    ScopedClock installed(clock);
    delayMicroseconds(5000);
    EXPECT_EQ(clock.reads, 2);
}

}  // namespace
}  // namespace tessorin::testing
