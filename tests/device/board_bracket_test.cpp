#include <gtest/gtest.h>

#include "base/not_examined.h"
#include "device/board_commands.h"
#include "report/unicode_exception.h"
#include "runner/log_capture.h"
#include "tests/device/emulated_link.h"

namespace tessorin::testing {
namespace {

class BoardBracketTest : public EmulatedLinkTest {
protected:
    // The message id a failed open raised, or -1 when it returned normally.
    int openFailure() {
        try {
            notExamined(openBoardForCommand(messages));
        } catch (const UnicodeException& failure) {
            for (int id = 0; id < kMessageCount; ++id) {
                if (failure.message == messages[static_cast<MessageId>(id)]) return id;
            }
            ADD_FAILURE() << "unexpected message " << failure.message;
        }
        return -1;
    }

    MessageTable messages{1252};
    runner::LogCapture log;
    runner::RecordingPane pane;
};

TEST_F(BoardBracketTest, NoBoardRaisesOpenFailureAndLogsNothing) {
    EXPECT_EQ(openFailure(), msgOpenUsbFail);
    EXPECT_EQ(log.text(), "");
    EXPECT_FALSE(hidLinkOpen());
}

TEST_F(BoardBracketTest, BoardWithChipOpensAndHandshakes) {
    board.addBoard(0x6D10);
    EXPECT_EQ(openFailure(), -1);
    EXPECT_TRUE(hidLinkOpen());
    EXPECT_EQ(log.maskedText(), "[T]\t\tUSB opened successfully.\n\n");
    EXPECT_EQ(board.trace(), "> f2 18 00 80\n< 02\n");
}

TEST_F(BoardBracketTest, BoardWithoutChipRaisesNotLinkedAndStaysOpen) {
    board.addBoardWithoutChip();
    EXPECT_EQ(openFailure(), msgBoardNotLinked);
    EXPECT_TRUE(hidLinkOpen());
    EXPECT_EQ(log.maskedText(), "[T]\t\tUSB opened successfully.\n\n");
}

TEST_F(BoardBracketTest, OpenClosesALinkStillOpenFirst) {
    board.addBoard(0x6D10);
    openLink();
    const HidHandle stale = hidLink();
    EXPECT_EQ(openFailure(), -1);
    EXPECT_NE(hidLink(), stale);
    EXPECT_EQ(board.openHandles(), 1);
    EXPECT_EQ(board.journal(), "# close 0\n# open 0\n> f2 18 00 80\n< 02\n");
}

TEST_F(BoardBracketTest, CloseEndsTheLinkAndReportsTheCommand) {
    board.addBoard(0x6D10);
    ASSERT_EQ(openFailure(), -1);
    log.clear();
    closeBoardAfterCommand(pane, messages, "download rom file\n");
    EXPECT_FALSE(hidLinkOpen());
    EXPECT_EQ(board.openHandles(), 0);
    EXPECT_EQ(pane.text(), "set [download rom file\n] success!\n\r\n");
    EXPECT_EQ(log.maskedText(), "[T]\t\tusb close success\n\n");
}

TEST_F(BoardBracketTest, CloseWithoutOpenLinkStillReports) {
    closeBoardAfterCommand(pane, messages, "freq");
    EXPECT_EQ(pane.text(), "set [freq] success!\n\r\n");
    EXPECT_EQ(log.maskedText(), "[T]\t\tusb close success\n\n");
}

}  // namespace
}  // namespace tessorin::testing
