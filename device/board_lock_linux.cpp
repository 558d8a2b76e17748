#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/format.h"
#include "base/not_examined.h"
#include "device/board_lock.h"

namespace tessorin {
namespace {

// /run/lock is the system's folder for device locks, shared by every user;
// a lock file by id, not a flock on the hidraw node, because the node changes
// when the board comes back and hidapi's own descriptor is out of reach.
std::string lockFolder() {
    if (const char* chosen = std::getenv("TESSORIN_LOCK_DIR"); chosen && *chosen) return chosen;
    if (access("/run/lock", W_OK) == 0) return "/run/lock";
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) return runtime;
    return "/tmp";
}

// The process id the holder wrote, 0 when there is none to read.
uint32_t holderOf(int fd) {
    char text[16] = {};
    const ssize_t count = pread(fd, text, sizeof text - 1, 0);
    return count > 0 ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : 0;
}

void recordHolder(int fd) {
    const std::string pid = std::to_string(getpid()) + "\n";
    // Only what the next contender is told depends on these.
    notExamined(ftruncate(fd, 0) == 0 && pwrite(fd, pid.data(), pid.size(), 0) > 0);
}

}  // namespace

struct BoardLock::Platform {
    int fd = -1;
};

BoardLock::BoardLock(std::string boardId, std::unique_ptr<Platform> platform)
    : boardId_(std::move(boardId)), platform_(std::move(platform)) {}

// Closing the descriptor releases the flock; the file stays for the next holder.
BoardLock::~BoardLock() { close(platform_->fd); }

std::unique_ptr<BoardLock> BoardLock::takeLock(const std::string& boardId, bool wait, std::string& problem) {
    const std::string path = lockFolder() + "/tessorin-board-" + boardLockName(boardId) + ".lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        problem = formatText("board %s: cannot make the lock %s: %s", {boardId, path, std::strerror(errno)});
        return nullptr;
    }
    // Stations of other users on the same bench take the same file.
    notExamined(fchmod(fd, 0666));
    int taken;
    while ((taken = flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (taken != 0) {
        problem = errno == EWOULDBLOCK ? inUseText(boardId, holderOf(fd))
                                       : formatText("board %s: cannot lock %s: %s", {boardId, path, std::strerror(errno)});
        close(fd);
        return nullptr;
    }
    recordHolder(fd);
    auto platform = std::make_unique<Platform>();
    platform->fd = fd;
    return std::unique_ptr<BoardLock>(new BoardLock(boardId, std::move(platform)));
}

}  // namespace tessorin
