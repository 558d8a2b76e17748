// Ending the stations of --all-boards on Windows: the parent's request reaches
// every station process (no board under Wine, so each waits for one), each
// ends, and the parent's totals follow. Wine refuses GenerateConsoleCtrlEvent
// to a program whose output is a pipe, so the console event itself is not sent.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/program_path.h"
#include "base/child_process.h"
#include "base/text.h"
#include "report/message_table.h"
#include "station/all_boards_station.h"

namespace tessorin::testing {
namespace {

// What a parent run leaves behind; shared, so a run that never ends cannot outlive it.
struct ParentRun {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> lines;
    bool ended = false;
    int exitCode = -1;

    template <typename Predicate>
    bool waitFor(Predicate predicate) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(60), [&] { return predicate(); });
    }
    size_t linesEndingWith(const std::string& end, const std::string& start = "") {
        size_t count = 0;
        for (const std::string& line : lines) count += line.starts_with(start) && line.ends_with(end);
        return count;
    }
};

std::shared_ptr<ParentRun> startParent(const std::vector<std::string>& boardIds) {
    auto run = std::make_shared<ParentRun>();
    const std::string program = folderOfPath(currentProgramPath()) + "\\tessorin.exe";
    std::thread([run, program, stations = boardStations(boardIds, {"--count", "1", "--", "C:\\no such\\image.rom"})] {
        const int exitCode = runAllBoards(program, stations, [&run](const std::string& line) {
            std::lock_guard<std::mutex> lock(run->mutex);
            run->lines.push_back(line);
            run->changed.notify_all();
        });
        std::lock_guard<std::mutex> lock(run->mutex);
        run->ended = true;
        run->exitCode = exitCode;
        run->changed.notify_all();
    }).detach();
    return run;
}

TEST(StationEnd, TheParentsRequestEndsEveryStationAndTheTotalsFollow) {
    std::shared_ptr<ParentRun> run = startParent({"TSB0001", "TSB0002"});
    const std::string openFailed = replaceAll(MessageTable(1252)[msgOpenUsbFail], "\n", "");
    // Both stations are waiting for their boards.
    ASSERT_TRUE(run->waitFor([&] {
        return run->ended || (run->linesEndingWith(openFailed, "TSB0001: ") > 0 &&
                              run->linesEndingWith(openFailed, "TSB0002: ") > 0);
    }));
    ASSERT_FALSE(run->ended);
    // What the parent's console handler does on Ctrl-C, Ctrl-Break or the closing of its console.
    ChildProcess::signalEveryChild(0);
    ASSERT_TRUE(run->waitFor([&] { return run->ended; })) << "the stations did not end";
    std::lock_guard<std::mutex> lock(run->mutex);
    // Ended before their --count: not a success.
    EXPECT_EQ(run->exitCode, 1);
    EXPECT_EQ(run->linesEndingWith("the station ended with exit status 1"), 2u);
    EXPECT_EQ(run->lines.back(), "all boards (2): 0 passed, 0 failed, yield 0.0%");
}

}  // namespace
}  // namespace tessorin::testing
