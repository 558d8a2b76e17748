// Built into the Linux suite and the Windows suite alike: a lock file with
// flock on Linux, a named mutex on Windows.
#include "device/board_lock.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "base/format.h"
#include "tests/support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#define TESSORIN_OWN_PID static_cast<unsigned>(GetCurrentProcessId())
#else
#include <unistd.h>
#define TESSORIN_OWN_PID static_cast<unsigned>(getpid())
#endif

namespace tessorin {
namespace {

// Held, a board's lock refuses every other taker and names its holder; let
// go, the next taker has it, also one waiting on another thread.
TEST(BoardLock, OneHolderAtATimeNamedToTheOthers) {
#ifndef _WIN32
    // The lock files stay after their holders: they go with the folder.
    testing::TempFolder locks("board_locks");
    setenv("TESSORIN_LOCK_DIR", locks.path("").c_str(), 1);
#endif
    // Ids of their own, apart from a real board and from a suite running beside this one.
    const unsigned run = std::random_device{}();
    for (const std::string& id : {formatText("TSB-test-%u", {run}), formatText("1-1.2:1.0/x y %u", {run})}) {
        std::string problem;
        std::unique_ptr<BoardLock> first = BoardLock::tryTake(id, problem);
        ASSERT_TRUE(first) << problem;
        EXPECT_FALSE(BoardLock::tryTake(id, problem)) << id;
        EXPECT_EQ(problem, formatText("board %s is in use by process %u", {id, TESSORIN_OWN_PID}));
        std::unique_ptr<BoardLock> waited;
        std::thread waiter([&] {
            std::string waitProblem;
            waited = BoardLock::take(id, waitProblem);
        });
        first.reset();
        waiter.join();
        EXPECT_TRUE(waited) << id;
        waited.reset();
        EXPECT_TRUE(BoardLock::tryTake(id, problem)) << problem;
    }
}

TEST(BoardLock, NameKeepsPlainCharactersAndEscapesTheRest) {
    EXPECT_EQ(boardLockName("TSB0001"), "TSB0001");
    EXPECT_EQ(boardLockName("1-1.2:1.0/x y"), "1-1.2%3A1.0%2Fx%20y");
}

}  // namespace
}  // namespace tessorin
