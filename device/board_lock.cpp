#include "device/board_lock.h"

#include "base/format.h"
#include "device/hid_transport.h"

namespace tessorin {

std::unique_ptr<BoardLock> BoardLock::tryTake(const std::string& boardId, std::string& problem) {
    return takeLock(boardId, false, problem);
}

std::unique_ptr<BoardLock> BoardLock::take(const std::string& boardId, std::string& problem) {
    return takeLock(boardId, true, problem);
}

std::string boardLockName(const std::string& boardId) {
    std::string name;
    for (unsigned char c : boardId) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '-' || c == '_';
        if (plain) name += static_cast<char>(c);
        else name += formatText("%%%02X", {static_cast<unsigned>(c)});
    }
    return name;
}

bool boardsNeedLocks() { return hidTransport().sharedWithOtherProcesses(); }

std::string inUseText(const std::string& boardId, uint32_t processId) {
    return "board " + boardId + " is in use " +
           (processId == 0 ? std::string("by another process") : formatText("by process %u", {processId}));
}

}  // namespace tessorin
