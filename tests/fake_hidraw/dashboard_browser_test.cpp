// The dashboard in a real browser: `tessorin dashboard` over a store seeded
// with records, three stations publishing live on fake boards while the test
// plays the operator, and Chromium (headless, driven by Selenium from
// tests/dashboard/browser_test.py) looking at the page. The script asks for a
// station to be killed, and for the line to stop before it compares yields.
#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <map>
#include <mutex>
#include <thread>

#include "base/child_process.h"
#include "store/store.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"
#include "tests/fake_hidraw/station_process.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

constexpr uint16_t kChip = 0x6D10;
constexpr int kStations = 3;

// A local time an hour count ago, as station records have it.
std::string hoursAgo(int hours, int minute) {
    const std::time_t then = std::time(nullptr) - hours * 3600;
    std::tm local{};
    localtime_r(&then, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H", &local);
    char zone[8];
    std::strftime(zone, sizeof zone, "%z", &local);
    return std::string(text) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute) + ":00" +
           std::string(zone, 3) + ":" + std::string(zone + 3, 2);
}

// Yesterday's chips of two earlier stations, with failures and a pool near its low water.
void seedStore(const std::string& location) {
    auto store = store::Store::open(location);
    store->definePool({"bd_addr", false, 1, 500, 1, 320});
    const int64_t station = store->startStation(store::thisProcess(), "TSB0100", "");
    const char* const reasons[] = {"board_lost", "verify_failed", "chip_not_ready"};
    int64_t sequence = 0;
    for (int hour = 20; hour >= 1; --hour)
        for (int minute = 0; minute < 10; ++minute) {
            const auto value = store->reserve(station, "bd_addr");
            const bool passed = (hour * 7 + minute) % 9 != 0;
            store->recordChip(station, {hoursAgo(hour, minute), ++sequence, minute % 2 ? "TSB0100" : "TSB0101",
                                        "0x6d10", "fw.rom", std::nullopt, std::nullopt, {},
                                        passed ? "success" : "fail",
                                        passed ? std::nullopt : std::optional<std::string>(reasons[minute % 3]), 900,
                                        400, "",
                                        {{"bd_addr", value->valueId, std::to_string(value->value),
                                          passed ? store::Settlement::Committed : store::Settlement::Voided}}});
        }
    store->endStation(station, "count reached");
}

// Python and Chromium without the suite's preloads (the sanitizer runtime, umockdev).
std::vector<std::string> browserEnvironment() {
    std::vector<std::string> kept = thisEnvironment();
    std::erase_if(kept, [](const std::string& entry) {
        return entry.starts_with("LD_PRELOAD=") || entry.starts_with("UMOCKDEV");
    });
    return kept;
}

class DashboardInBrowser : public FakeBoardTest {
protected:
    DashboardInBrowser() {
        for (int i = 0; i < kStations; ++i) boards.addBoard(kChip);
        image_ = folder_.write("line.rom", bytePerLineText(imageBytes(24000)));
        seedStore(store_);
    }

    void startStation(int board) {
        stations_.emplace_back([this, board] {
            std::string output;
            runWatched({programBeside("tessorin"), "--board", boards.serial(board), "--store", store_, image_}, output,
                       [this, board](pid_t pid, const std::string& seen) {
                           std::lock_guard<std::mutex> lock(mutex_);
                           pids_[board] = pid;
                           finished_[board] = countOf(seen, "download finish!");
                       });
            std::lock_guard<std::mutex> lock(mutex_);
            pids_.erase(board);
        });
    }

    static int countOf(const std::string& text, const std::string& part) {
        int count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
        return count;
    }

    // The operator: a finished chip is taken away and a fresh one put on a moment later.
    void operate() {
        std::map<int, int> swapped;
        while (!stopping_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            for (int board = 0; board < kStations; ++board) {
                int finished = 0;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    finished = finished_[board];
                }
                if (finished <= swapped[board]) continue;
                swapped[board] = finished;
                boards.detachChip(board);
                std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                boards.attachChip(board, kChip);
            }
        }
    }

    void kill(int board, int signal) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (pids_.count(board)) ::kill(pids_[board], signal);
    }

    TempFolder folder_{"dashboard_browser"};
    std::string store_ = folder_.path("line.sqlite");
    std::string image_;
    std::mutex mutex_;
    std::map<int, pid_t> pids_;
    std::map<int, int> finished_;
    std::vector<std::thread> stations_;
    std::atomic<bool> stopping_{false};
};

TEST_F(DashboardInBrowser, TilesMoveLiveAKilledStationTurnsSilentTheYieldAgrees) {
    ChildProcess dashboard(programBeside("tessorin"), {"dashboard", "--store", store_, "--listen", "127.0.0.1:0"});
    std::string line;
    ASSERT_TRUE(dashboard.readLine(line)) << dashboard.problem();
    const size_t url = line.find("http://");
    ASSERT_NE(url, std::string::npos) << line;
    for (int board = 0; board < kStations; ++board) startStation(board);
    std::thread operatorThread([this] { operate(); });

    std::vector<std::string> words = {"/usr/bin/python3", TESSORIN_DASHBOARD_BROWSER_TEST,
                                      "--url", line.substr(url, line.find(' ', url) - url),
                                      "--tessorin", programBeside("tessorin"), "--store", store_,
                                      "--artifacts", TESSORIN_ARTIFACTS};
    for (int board = 0; board < kStations; ++board) words.push_back(boards.serial(board));
    std::string output;
    size_t handled = 0;
    const int status = runWatchedIn(words, browserEnvironment(), output, [&](pid_t, const std::string& seen) {
        // Each whole line the script printed, once: "kill BOARD" and "stop".
        for (size_t end; (end = seen.find('\n', handled)) != std::string::npos; handled = end + 1) {
            const std::string asked = seen.substr(handled, end - handled);
            for (int board = 0; board < kStations; ++board) {
                if (asked == "kill " + boards.serial(board)) kill(board, SIGKILL);
                if (asked == "stop") kill(board, SIGTERM);
            }
        }
    });
    stopping_ = true;
    operatorThread.join();
    for (int board = 0; board < kStations; ++board) kill(board, SIGKILL);
    for (std::thread& station : stations_) station.join();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << output;
    std::printf("%s", output.c_str());
}

}  // namespace
}  // namespace tessorin::testing
