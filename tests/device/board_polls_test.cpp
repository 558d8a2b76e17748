#include <gtest/gtest.h>

#include "device/board_commands.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

class BoardPollTest : public EmulatedLinkTest {
protected:
    // Lines in the trace that start with this text.
    int linesStarting(const std::string& start) {
        const std::string trace = board.trace();
        int count = 0;
        for (size_t at = 0; at < trace.size(); at = trace.find('\n', at) + 1) {
            if (trace.compare(at, start.size(), start) == 0) ++count;
        }
        return count;
    }
    // Pass counts are exact when the poll starts on a millisecond boundary.
    void alignClock() { session.clock.advanceMicros(1000 - session.clock.nowMicros() % 1000); }
};

TEST_F(BoardPollTest, HandshakeSucceedsOnFirstReplyTwo) {
    board.addBoard(0x6D10);
    openLink();
    EXPECT_TRUE(boardHandshake(kHandshakeParameter));
    EXPECT_EQ(board.trace(), "> f2 18 00 80\n< 02\n");
}

TEST_F(BoardPollTest, HandshakeKeepsAskingUntilTheChipAnswers) {
    board.addBoard(0x6D10);
    openLink();
    board.shortenReads(2, 10);  // two passes read nothing usable, the third succeeds
    EXPECT_TRUE(boardHandshake(kHandshakeParameter));
    EXPECT_EQ(linesStarting("> f2 18 00 80"), 3);
}

TEST_F(BoardPollTest, HandshakeGivesUpAfterAbout100ms) {
    board.addBoard(0x6D10);
    openLink();
    for (uint8_t reply : {0, 1, 3, 0x82}) {
        board.setHandshakeReply(0, reply);
        board.clearTrace();
        alignClock();
        const uint64_t start = session.clock.nowMicros();
        EXPECT_FALSE(boardHandshake(kHandshakeParameter)) << int(reply);
        const uint64_t elapsed = session.clock.nowMicros() - start;
        EXPECT_GE(elapsed, 100'000u);
        EXPECT_LT(elapsed, 105'000u);
        // 1 ms a report on the wire, two a pass; repeated while less than 100 ms passed.
        EXPECT_EQ(linesStarting("> f2 18 00 80"), 50);
    }
}

TEST_F(BoardPollTest, HandshakeWithSilentBoardFailsAfterOneTimeOut) {
    board.addBoard(0x6D10);
    openLink();
    board.dropReplies(1000);
    EXPECT_FALSE(boardHandshake(kHandshakeParameter));
    EXPECT_EQ(board.trace(), "> f2 18 00 80\n");
}

TEST_F(BoardPollTest, HandshakeWithoutChipFails) {
    board.addBoardWithoutChip();
    openLink();
    alignClock();
    EXPECT_FALSE(boardHandshake(kHandshakeParameter));
    EXPECT_EQ(linesStarting("< 00"), 50);
}

TEST_F(BoardPollTest, HandshakeWithoutBoardFailsWithoutTraffic) {
    EXPECT_FALSE(boardHandshake(kHandshakeParameter));
    EXPECT_EQ(board.trace(), "");
}

TEST_F(BoardPollTest, ReadinessAcceptsOneAndFiveOnly) {
    board.addBoard(0x6D10);
    openLink();
    for (uint8_t reply : {0, 1, 2, 3, 4, 5, 9, 0x41}) {
        board.setReadyReply(0, reply);
        board.clearTrace();
        alignClock();
        const bool ready = reply == 1 || reply == 5;
        EXPECT_EQ(boardWaitReady(kHandshakeParameter), ready) << int(reply);
        // Repeated while no more than 100 ms passed: one pass more than the handshake.
        EXPECT_EQ(linesStarting("> f2 1c 00 80"), ready ? 1 : 51) << int(reply);
    }
}

}  // namespace
}  // namespace tessorin::testing
