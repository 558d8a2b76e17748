#include "device/recording_transport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "device/board_commands.h"
#include "device/hid_link.h"
#include "emulator/emulator_session.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

// The emulator records what it was sent and what it answered; the recorder,
// sitting in front of it, must see exactly the same reports, faults included.
TEST(RecordingTransport, TraceMatchesWhatTheBoardSawUnderEveryFault) {
    struct Case {
        const char* name;
        const char* happened;  // the emulator's journal line that shows the fault struck
        std::function<void(emulator::BoardEmulator&, int board)> arrange;
    };
    const Case cases[] = {
        {"no fault", "# open 0", [](emulator::BoardEmulator&, int) {}},
        {"dropped reply", "# reply dropped", [](emulator::BoardEmulator& e, int) { e.dropReplies(1); }},
        {"late reply", "# late reply queued", [](emulator::BoardEmulator& e, int) { e.delayReplies(1); }},
        {"short read", "# short read 20", [](emulator::BoardEmulator& e, int) { e.shortenReads(2, 20); }},
        {"write time-out", "# write time-out", [](emulator::BoardEmulator& e, int) { e.timeOutNthWrite(2); }},
        {"unplugged and back", "# replugged 0", [](emulator::BoardEmulator& e, int board) {
             e.unplugAfterRequests(board, 2);
             e.replugAfterScans(board, 2);
         }},
    };
    const std::vector<uint8_t> data = countingData(130);
    for (const Case& c : cases) {
        emulator::EmulatorSession session;
        RecordingTransport recorder(session.emulator);
        setHidTransport(&recorder);
        const int board = session.emulator.addBoard(0x6D10);
        setHidLink(openDownloadBoard());
        c.arrange(session.emulator, board);

        std::vector<uint8_t> read(130);
        // Every step runs whatever the one before gave.
        const bool allWent = boardHandshake(kHandshakeParameter) & boardWriteMemory(true, data.data(), 0x1EFC, 130) &
                             boardReadMemory(true, 0x1EFC, read.data(), 130) & boardHandshake(kHandshakeParameter);
        if (c.happened == std::string("# open 0")) {
            EXPECT_TRUE(allWent) << "the recorder must not disturb the traffic";
            EXPECT_EQ(read, data);
        }

        EXPECT_NE(session.emulator.journal().find(c.happened), std::string::npos) << c.name;
        EXPECT_EQ(recorder.trace(), session.emulator.trace()) << c.name;
        closeHidLink();
        setHidTransport(&session.emulator);
    }
}

TEST(RecordingTransport, PassesResultsAndBytesThroughUnchanged) {
    emulator::EmulatorSession session;
    RecordingTransport recorder(session.emulator);
    session.emulator.addBoard(0x6D10);
    session.emulator.addBoard(0x5B21);
    const std::vector<HidDeviceEntry> boards = recorder.enumerate(kBoardVendorId, kBoardProductId);
    ASSERT_EQ(boards.size(), 2u);
    EXPECT_EQ(session.emulator.deviceOf(recorder.openPath(boards[1].devicePath)), 1);
    const HidHandle handle = recorder.openFirst(kBoardVendorId, kBoardProductId);
    ASSERT_NE(handle, kInvalidHidHandle);
    EXPECT_EQ(session.emulator.deviceOf(handle), 0);

    uint8_t report[kReportSize] = {0xF2, 0x18, 0x00, 0x80};
    TransferResult sent = recorder.write(handle, report, kTransferTimeoutMs);
    EXPECT_TRUE(sent.completed);
    EXPECT_EQ(sent.count, kReportSize);
    session.emulator.shortenReads(1, 20);
    TransferResult got = recorder.read(handle, report, kTransferTimeoutMs);
    EXPECT_TRUE(got.completed);
    EXPECT_EQ(got.count, 20);
    EXPECT_EQ(report[1], 2);
    TransferResult timedOut = recorder.read(handle, report, kTransferTimeoutMs);
    EXPECT_FALSE(timedOut.completed);

    recorder.close(handle);
    EXPECT_EQ(session.emulator.openHandles(), 1);
    EXPECT_EQ(recorder.trace(), "> f2 18 00 80\n< 02\n");
}

}  // namespace
}  // namespace tessorin::testing
