#include <string>

#include "device/board_choice.h"
#include "device/board_commands.h"
#include "device/hid_link.h"
#include "report/unicode_exception.h"

namespace tessorin {

std::unique_ptr<BoardLock> openBoardForCommand(const MessageTable& messages) {
    closeHidLink();
    std::unique_ptr<BoardLock> frame;
    if (boardsNeedLocks()) {
        const std::string board = currentBoardId();
        std::string problem;
        if (!board.empty() && !(frame = BoardLock::tryTake(board, problem)))
            throw UnicodeException(problem + "\n");
    }
    setHidLink(openDownloadBoard());
    if (!hidLinkOpen()) throw UnicodeException(messages[msgOpenUsbFail]);
    writeLog(messages[msgOpenUsbSuccess]);
    // The link stays open when no chip answers: the next open closes it.
    if (!boardHandshake(kHandshakeParameter)) throw UnicodeException(messages[msgBoardNotLinked]);
    return frame;
}

void closeBoardAfterCommand(LogPane& pane, const MessageTable& messages, std::string_view label) {
    closeHidLink();
    std::string text = "set [";
    text += label;
    text += "] success!\n";
    pane.appendLogPane(text);
    writeLog(messages[msgUsbCloseOk]);
}

}  // namespace tessorin
