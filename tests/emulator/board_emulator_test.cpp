#include "emulator/board_emulator.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "base/not_examined.h"
#include "device/board_commands.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

using BoardEmulatorTest = EmulatedLinkTest;

emulator::Report request(std::initializer_list<uint8_t> bytes) {
    emulator::Report report{};
    size_t at = 0;
    for (uint8_t value : bytes) report[at++] = value;
    return report;
}

TEST_F(BoardEmulatorTest, ContinuationGoesOnWhereTheLastTransferEnded) {
    board.addBoard(0x6D10);
    const HidHandle handle = board.openFirst(kBoardVendorId, kBoardProductId);
    emulator::Report reply{};
    // Incrementing write of two bytes at 0x100, then a continuation write of one.
    board.write(handle, request({0xF2, 0x16, 2, 0x00, 0x01, 0xAA, 0xBB}).data(), 2000);
    board.write(handle, request({0xF2, 0x12, 1, 0xCC}).data(), 2000);
    // Fixed-address read at 0x101 twice over, then a continuation: still 0x101.
    board.write(handle, request({0xF2, 0x15, 2, 0x01, 0x01}).data(), 2000);
    board.write(handle, request({0xF2, 0x10, 2}).data(), 2000);
    ASSERT_TRUE(board.read(handle, reply.data(), 2000).completed);
    EXPECT_EQ(reply[1], 0xBB);
    EXPECT_EQ(reply[2], 0xBB);
    ASSERT_TRUE(board.read(handle, reply.data(), 2000).completed);
    EXPECT_EQ(reply[1], 0xBB);
    EXPECT_EQ(reply[2], 0xCC);
    EXPECT_EQ(reply[0], emulator::kReplyReportId);
}

TEST_F(BoardEmulatorTest, UnknownCommandIsIgnoredWithoutReply) {
    board.addBoard(0x6D10);
    const HidHandle handle = board.openFirst(kBoardVendorId, kBoardProductId);
    EXPECT_TRUE(board.write(handle, request({0xF2, 0x7F, 1}).data(), 2000).completed);
    emulator::Report reply{};
    EXPECT_FALSE(board.read(handle, reply.data(), 2000).completed);
    EXPECT_EQ(board.journal(), "# open 0\n> f2 7f 01\n# read time-out\n");
}

// Without the host's reset, the reply of the timed-out request is what the next
// read would get: the fault is real, and only closing the handle disposes of it.
TEST_F(BoardEmulatorTest, LateReplyArrivesAfterTheTimeOutOnTheSameHandle) {
    board.addBoard(0x6D10);
    const HidHandle handle = board.openFirst(kBoardVendorId, kBoardProductId);
    board.delayReplies(1);
    emulator::Report reply{};
    board.write(handle, request({0xF2, 0x18, 0, 0x80}).data(), 2000);
    EXPECT_FALSE(board.read(handle, reply.data(), 2000).completed);
    board.write(handle, request({0xF2, 0x14, 2, 0x00, 0x80}).data(), 2000);
    ASSERT_TRUE(board.read(handle, reply.data(), 2000).completed);
    EXPECT_EQ(reply[1], 2) << "the stale handshake reply comes first";
}

TEST_F(BoardEmulatorTest, UnplugEndsOpenHandlesForGood) {
    board.addBoard(0x6D10);
    const HidHandle handle = board.openFirst(kBoardVendorId, kBoardProductId);
    board.unplug(0);
    EXPECT_EQ(board.openFirst(kBoardVendorId, kBoardProductId), kInvalidHidHandle);
    board.replug(0);
    emulator::Report reply{};
    EXPECT_FALSE(board.write(handle, request({0xF2, 0x18, 0, 0x80}).data(), 2000).completed);
    EXPECT_FALSE(board.read(handle, reply.data(), 2000).completed);
    EXPECT_EQ(board.deviceOf(handle), -1);
    EXPECT_EQ(board.deviceOf(board.openFirst(kBoardVendorId, kBoardProductId)), 0);
}

TEST_F(BoardEmulatorTest, UnplugAfterRequestsAndReplugAfterScansMidTransfer) {
    board.addBoard(0x6D10);
    openLink();
    board.unplugAfterRequests(0, 2);
    board.replugAfterScans(0, 3);
    const std::vector<uint8_t> image = countingData(200);
    EXPECT_FALSE(boardWriteMemory(true, image.data(), 0x2000, 200));  // third report cannot go out
    EXPECT_FALSE(boardWriteMemory(true, image.data(), 0x2000, 200));  // second scan, still away
    EXPECT_FALSE(boardWriteMemory(true, image.data(), 0x2000, 200));  // third scan finds it
    EXPECT_TRUE(boardWriteMemory(true, image.data(), 0x2000, 200));
    EXPECT_EQ(board.withChip(0, [](emulator::ChipModel& chip) { return chip.peek(0x2000, 200); }), image);
    EXPECT_EQ(board.scans(), 4);
}

TEST_F(BoardEmulatorTest, ListingIsAScanThatOpensNothing) {
    const int first = board.addBoard(0x6D10);
    board.addForeignDevice(0x046D, 0xC31C);
    const int second = board.addBoard(0x6D10);
    board.setIdentity(second, "SN-2", "3-4.1");
    board.unplug(first);
    board.replugAfterScans(first, 2);
    EXPECT_EQ(board.enumerate(kBoardVendorId, kBoardProductId).size(), 1u);
    const std::vector<HidDeviceEntry> entries = board.enumerate(kBoardVendorId, kBoardProductId);
    ASSERT_EQ(entries.size(), 2u);  // the second scan brought the first board back
    EXPECT_EQ(entries[0].usbPath, "1-1.1");
    EXPECT_EQ(entries[0].serial, "");
    EXPECT_EQ(entries[1].devicePath, "emulated:3-4.1");
    EXPECT_EQ(entries[1].serial, "SN-2");
    EXPECT_EQ(board.scans(), 2);
    EXPECT_EQ(board.timesOpened(first) + board.timesOpened(second), 0);

    const HidHandle handle = board.openPath(entries[1].devicePath);
    EXPECT_EQ(board.deviceOf(handle), second);
    board.unplug(second);
    EXPECT_EQ(board.openPath(entries[1].devicePath), kInvalidHidHandle);
    EXPECT_EQ(board.openPath("emulated:9-9"), kInvalidHidHandle);
}

TEST_F(BoardEmulatorTest, ChipSwapBringsFreshMemory) {
    board.addBoard(0x6D10);
    openLink();
    const uint8_t value = 0x77;
    ASSERT_TRUE(boardWriteMemory(true, &value, 0x3000, 1));
    board.attachChip(0, 0x3C05);
    uint8_t bytes[2] = {};
    notExamined(boardReadMemory(true, 0x3000, bytes, 1));
    EXPECT_EQ(bytes[0], 0);
    notExamined(boardReadMemory(true, 0x8000, bytes, 2));
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 0x3C05);
}

TEST_F(BoardEmulatorTest, LatencyAndTimeOutsRunOnTheVirtualClock) {
    board.addBoard(0x6D10);
    openLink();
    board.setReportLatencyMicros(250);
    uint64_t start = session.clock.nowMicros();
    EXPECT_TRUE(boardHandshake(kHandshakeParameter));
    EXPECT_GE(session.clock.nowMicros() - start, 500u);
    EXPECT_LT(session.clock.nowMicros() - start, 600u);

    board.dropReplies(1);
    start = session.clock.nowMicros();
    uint8_t byte = 0;
    notExamined(boardReadMemory(true, 0x8000, &byte, 1));
    EXPECT_GE(session.clock.nowMicros() - start, 2'000'250u);
}

// Reads and writes that reach no device do not count toward the armed write;
// it fails as a write time-out does, and the writes after it go through.
TEST_F(BoardEmulatorTest, NthWriteFromNowTimesOutAlone) {
    board.addBoard(0x6D10);
    HidHandle handle = board.openFirst(kBoardVendorId, kBoardProductId);
    board.timeOutNthWrite(3);
    emulator::Report reply{};
    EXPECT_TRUE(board.write(handle, request({0xF2, 0x18, 0, 0x80}).data(), 2000).completed);
    EXPECT_TRUE(board.read(handle, reply.data(), 2000).completed);
    board.unplug(0);
    EXPECT_FALSE(board.write(handle, request({0xF2, 0x16, 1, 0x00, 0x01, 0xAA}).data(), 2000).completed);
    board.replug(0);
    handle = board.openFirst(kBoardVendorId, kBoardProductId);
    EXPECT_TRUE(board.write(handle, request({0xF2, 0x16, 1, 0x00, 0x01, 0xAA}).data(), 2000).completed);
    const uint64_t start = session.clock.nowMicros();
    EXPECT_FALSE(board.write(handle, request({0xF2, 0x16, 1, 0x01, 0x01, 0xBB}).data(), 2000).completed);
    EXPECT_EQ(session.clock.nowMicros() - start, 2'000'000u);
    board.timeOutNthWrite(1);
    board.timeOutNthWrite(0);
    EXPECT_TRUE(board.write(handle, request({0xF2, 0x16, 1, 0x02, 0x01, 0xCC}).data(), 2000).completed);

    EXPECT_EQ(board.withChip(0, [](emulator::ChipModel& chip) { return chip.peek(0x100, 3); }),
              (std::vector<uint8_t>{0xAA, 0x00, 0xCC}));
    EXPECT_EQ(board.journal(),
              "# open 0\n> f2 18 00 80\n< 02\n# unplugged 0\n# write failed: no device\n# replugged 0\n"
              "# open 0\n> f2 16 01 00 01 aa\n# write time-out\n> f2 16 01 02 01 cc\n");
}

TEST_F(BoardEmulatorTest, MisuseIsReportedPlainly) {
    board.addForeignDevice(0x046D, 0xC31C);
    board.addBoardWithoutChip();
    EXPECT_THROW(board.attachChip(0, 0x6D10), std::out_of_range);
    EXPECT_THROW(board.withChip(1, [](emulator::ChipModel&) { return 0; }), std::out_of_range);
    EXPECT_THROW(board.unplug(5), std::out_of_range);
    EXPECT_THROW(board.shortenReads(1, 64), std::out_of_range);
}

// A download worker streams while the test thread inspects: no torn state, nothing lost.
TEST_F(BoardEmulatorTest, WorkerTrafficAndInspectionFromAnotherThread) {
    board.addBoard(0x6D10);
    openLink();
    board.setReportLatencyMicros(0);
    ASSERT_TRUE(boardSetCpuControl(1));
    for (auto [address, value] : {std::pair{0x8022, 0x00}, {0x8023, 0x80}, {0x8024, 0x00}}) {
        const auto byte = static_cast<uint8_t>(value);
        ASSERT_TRUE(boardWriteMemory(true, &byte, address, 1));
    }
    const std::vector<uint8_t> image = countingData(20000);
    std::thread worker([&] { EXPECT_TRUE(boardWriteMemory(false, image.data(), 0x8025, 20000)); });
    size_t seen = 0;
    while (seen < image.size()) {
        const size_t now = board.withChip(0, [](emulator::ChipModel& chip) { return chip.codeLoad().size(); });
        EXPECT_GE(now, seen);
        seen = now;
        board.trace();
    }
    worker.join();
    EXPECT_EQ(board.withChip(0, [](emulator::ChipModel& chip) { return chip.codeLoad(); }), image);
}

}  // namespace
}  // namespace tessorin::testing
