#pragma once
// One process at a time drives a board: a station holds its board's lock for
// its whole life, a window or runner command for its command frame. The lock
// is named by the board's id (device/board_choice.h), so it covers the board
// while it is unplugged and after it comes back under another device node.
// Linux: flock on a lock file in /run/lock (else $XDG_RUNTIME_DIR, else /tmp;
// TESSORIN_LOCK_DIR overrides), which holds the holder's process id. Windows:
// a named mutex, the holder's process id in a named mapping beside it.
#include <cstdint>
#include <memory>
#include <string>

namespace tessorin {

class BoardLock {
public:
    // The lock when no other holder has it. Otherwise nothing, and problem says
    // why: "board TSB0001 is in use by process 1234" ("by another process" when
    // that cannot be told), or "board TSB0001: " and why the lock could not be made.
    static std::unique_ptr<BoardLock> tryTake(const std::string& boardId, std::string& problem);
    // Waits until the board is free; nothing only when the lock cannot be made.
    static std::unique_ptr<BoardLock> take(const std::string& boardId, std::string& problem);
    ~BoardLock();
    BoardLock(const BoardLock&) = delete;
    BoardLock& operator=(const BoardLock&) = delete;

    const std::string& boardId() const { return boardId_; }

private:
    struct Platform;
    BoardLock(std::string boardId, std::unique_ptr<Platform> platform);
    static std::unique_ptr<BoardLock> takeLock(const std::string& boardId, bool wait, std::string& problem);

    std::string boardId_;
    std::unique_ptr<Platform> platform_;
};

// The board id as a name a lock file or a mutex may carry: letters, digits,
// '.', '-' and '_' as they are, every other byte as %XX.
std::string boardLockName(const std::string& boardId);

// Whether the transport's boards are shared with other processes (the
// platform's are; an emulated board lives in this process alone and needs no lock).
bool boardsNeedLocks();

// "board ID is in use by process N", or "by another process" for no process id.
std::string inUseText(const std::string& boardId, uint32_t processId);

}  // namespace tessorin
