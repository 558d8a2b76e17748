#include "tests/fake_hidraw/fake_board_test.h"

namespace tessorin::testing {
namespace {

using HidrawLink = FakeBoardTest;

constexpr uint16_t kChip = 0x6D10;

bool allZero(const DevicePacket& packet) {
    for (uint8_t byte : packet.bytes) {
        if (byte != 0) return false;
    }
    return true;
}

TEST_F(HidrawLink, ReportsCrossWholeAndRepliesKeepTheirBoundaries) {
    const int board = boards.addBoard(kChip);
    boards.withChip(board, [](emulator::ChipModel& chip) {
        for (int i = 0; i < 63; ++i) chip.poke(0x1000 + i, static_cast<uint8_t>(0x40 + i));
    });
    openLink();
    DevicePacket chipId = requestOf({0x14, 2, 0x00, 0x80});
    DevicePacket memory = requestOf({0x14, 63, 0x00, 0x10});
    // Both requests go out before either reply is read: two replies wait in the node.
    ASSERT_TRUE(writePacket(chipId));
    ASSERT_TRUE(writePacket(memory));
    ASSERT_TRUE(readPacket(chipId));
    ASSERT_TRUE(readPacket(memory));

    EXPECT_EQ(chipId[1], 0x10);
    EXPECT_EQ(chipId[2], 0x6D);
    EXPECT_EQ(memory[0], emulator::kReplyReportId);
    for (int i = 1; i < kReportSize; ++i) EXPECT_EQ(memory[i], 0x40 + i - 1) << i;
    const auto requests = boards.requests(board);
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.size(), static_cast<size_t>(kReportSize));
        EXPECT_EQ(request[0], kRequestReportId);
    }
}

TEST_F(HidrawLink, ReadWithoutReplyTimesOutZeroFilledAndReopensTheLink) {
    const int board = boards.addBoard(kChip);
    openLink();
    DevicePacket packet = requestOf({0x16, 1, 0x10, 0x80, 0x01});  // a write: the board never answers it
    ASSERT_TRUE(writePacket(packet));
    packet.bytes.fill(0xAA);
    EXPECT_FALSE(readPacket(packet));
    EXPECT_TRUE(allZero(packet));
    EXPECT_TRUE(hidLinkOpen());
    EXPECT_EQ(boards.opens(board), 2);
    EXPECT_TRUE(handshakeAnswered());
}

TEST_F(HidrawLink, WriteToUnpluggedBoardFailsAndTheLinkMovesToTheNextBoard) {
    const int first = boards.addBoard(kChip);
    const int second = boards.addBoard(0x3C05);
    openLink();
    boards.unplug(first);
    DevicePacket packet = handshakeRequest();
    EXPECT_FALSE(writePacket(packet));
    EXPECT_EQ(boards.opens(second), 1);
    EXPECT_TRUE(handshakeAnswered());
    EXPECT_EQ(boards.requests(first).size(), 0u);
    EXPECT_EQ(boards.requests(second).size(), 1u);
}

TEST_F(HidrawLink, ReadFromBoardUnpluggedAfterTheRequestFailsAndLeavesTheLinkClosed) {
    const int board = boards.addBoard(kChip);
    openLink();
    DevicePacket packet = handshakeRequest();
    ASSERT_TRUE(writePacket(packet));
    boards.unplug(board);
    EXPECT_FALSE(readPacket(packet));
    EXPECT_TRUE(allZero(packet));
    EXPECT_FALSE(hidLinkOpen());
}

TEST_F(HidrawLink, RepluggedBoardIsFoundByTheNextTransfer) {
    const int board = boards.addBoard(kChip);
    openLink();
    const std::string firstNode = boards.devicePath(board);
    boards.unplug(board);
    DevicePacket packet = handshakeRequest();
    EXPECT_FALSE(writePacket(packet));
    EXPECT_FALSE(hidLinkOpen());
    EXPECT_FALSE(writePacket(packet));  // still gone: every transfer looks again
    EXPECT_FALSE(hidLinkOpen());

    boards.replug(board);
    EXPECT_NE(boards.devicePath(board), firstNode);
    EXPECT_FALSE(writePacket(packet));  // the closed link fails, and finds the board
    EXPECT_TRUE(hidLinkOpen());
    EXPECT_TRUE(handshakeAnswered());
    EXPECT_EQ(boards.opens(board), 2);
}

TEST_F(HidrawLink, ChipSwapsShowInTheHandshake) {
    const int board = boards.addBoard(kChip);
    openLink();
    EXPECT_TRUE(handshakeAnswered());
    boards.detachChip(board);
    EXPECT_FALSE(handshakeAnswered());
    boards.attachChip(board, 0x5B21);
    EXPECT_TRUE(handshakeAnswered());
    EXPECT_EQ(boards.withChip(board, [](emulator::ChipModel& chip) { return chip.id(); }), 0x5B21);
}

TEST_F(HidrawLink, BoardThatDiesFailsTheArmedRequestAndIsNotOpenedAgain) {
    const int board = boards.addBoard(kChip);
    openLink();
    boards.dieAfterRequests(board, 2);
    EXPECT_TRUE(handshakeAnswered());
    EXPECT_TRUE(boards.answering(board));
    DevicePacket packet = handshakeRequest();
    EXPECT_FALSE(writePacket(packet));
    EXPECT_FALSE(boards.answering(board));
    EXPECT_FALSE(hidLinkOpen());  // still listed, but its node no longer opens
    EXPECT_EQ(boards.requests(board).size(), 1u);
    boards.unplug(board);
    boards.replug(board);
    EXPECT_TRUE(boards.answering(board));
    EXPECT_FALSE(writePacket(packet));  // the closed link fails, and finds the board
    EXPECT_TRUE(handshakeAnswered());
}

}  // namespace
}  // namespace tessorin::testing
