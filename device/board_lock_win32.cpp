#include <windows.h>

#include <future>
#include <thread>

#include "base/format.h"
#include "base/text.h"
#include "device/board_lock.h"

namespace tessorin {
namespace {

std::u16string objectName(const std::string& boardId, const char* suffix) {
    return utf8ToUtf16("Global\\tessorin-board-" + boardLockName(boardId) + suffix);
}

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

uint32_t holderOf(const std::string& boardId) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, wide(objectName(boardId, ".holder")));
    if (!mapping) return 0;
    uint32_t pid = 0;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof pid)) {
        pid = *static_cast<const volatile uint32_t*>(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return pid;
}

// The holder's process id where the next contender can read it; none when the
// mapping cannot be made (then it is told "another process").
HANDLE recordHolder(const std::string& boardId) {
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(uint32_t),
                                        wide(objectName(boardId, ".holder")));
    if (!mapping) return nullptr;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(uint32_t))) {
        *static_cast<volatile uint32_t*>(view) = GetCurrentProcessId();
        UnmapViewOfFile(view);
    }
    return mapping;
}

}  // namespace

// A mutex belongs to the thread that took it, but a lock may be let go on
// another (the download worker ends a command frame): one thread of the lock's
// own takes the mutex and lets it go when told.
struct BoardLock::Platform {
    HANDLE mutex = nullptr;
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE holder = nullptr;
    std::thread owner;

    // True once the mutex is taken (waiting as long as wait says).
    bool takeOn(bool wait) {
        std::promise<bool> taken;
        std::future<bool> result = taken.get_future();
        owner = std::thread([this, wait, &taken] {
            // An abandoned mutex is one whose holder ended without letting go: it is ours now.
            const DWORD waited = WaitForSingleObject(mutex, wait ? INFINITE : 0);
            const bool ours = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
            taken.set_value(ours);
            if (!ours) return;
            WaitForSingleObject(release, INFINITE);
            ReleaseMutex(mutex);
        });
        return result.get();
    }

    ~Platform() {
        if (owner.joinable()) {
            SetEvent(release);
            owner.join();
        }
        if (holder) CloseHandle(holder);
        if (mutex) CloseHandle(mutex);
        if (release) CloseHandle(release);
    }
};

BoardLock::BoardLock(std::string boardId, std::unique_ptr<Platform> platform)
    : boardId_(std::move(boardId)), platform_(std::move(platform)) {}

BoardLock::~BoardLock() = default;

std::unique_ptr<BoardLock> BoardLock::takeLock(const std::string& boardId, bool wait, std::string& problem) {
    auto platform = std::make_unique<Platform>();
    platform->mutex = CreateMutexW(nullptr, FALSE, wide(objectName(boardId, "")));
    if (!platform->mutex || !platform->release) {
        problem = formatText("board %s: cannot make its mutex: Windows error %u",
                             {boardId, static_cast<unsigned>(GetLastError())});
        return nullptr;
    }
    if (!platform->takeOn(wait)) {
        problem = inUseText(boardId, holderOf(boardId));
        return nullptr;
    }
    platform->holder = recordHolder(boardId);
    return std::unique_ptr<BoardLock>(new BoardLock(boardId, std::move(platform)));
}

}  // namespace tessorin
