// The results file on a small tmpfs that fills in the middle of a line and is
// freed again: every line in the file is whole, and the station's totals and
// exit status say which chip has no line. Needs root for the mount (CI runs as root).
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "station/station_totals.h"
#include "tests/fake_hidraw/station_bench.h"
#include "tests/support/file_text.h"

namespace tessorin::testing {
namespace {

constexpr size_t kPage = 4096;
constexpr size_t kEarlierLine = 3000;

class FullDisk : public StationBench {
protected:
    FullDisk() : StationBench(1, 12) { results_ = disk_.path("results.jsonl"); }
    ~FullDisk() override {
        if (mounted_) umount2(disk_.folder().c_str(), MNT_DETACH);
    }

    void SetUp() override {
        if (mount("tessorin-test", disk_.folder().c_str(), "tmpfs", 0, "size=16k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs (the test needs root): " << std::strerror(errno);
        mounted_ = true;
        // All pages but one taken, and most of that one by a line of an earlier
        // run: room for a few lines only.
        std::ofstream(disk_.path("filler"), std::ios::binary) << std::string(3 * kPage, 'f');
        const std::string start = "{\"board\":\"earlier\",\"padding\":\"", end = "\"}\n";
        std::ofstream(results_, std::ios::binary) << start << std::string(kEarlierLine - start.size() - end.size(), 'x') << end;
    }

    // The station's last totals line.
    static ChipTotals lastTotals(const Ended& ended) {
        ChipTotals totals;
        for (const std::string& line : ended.output)
            if (auto read = totalsInConsoleLine(line)) totals = *read;
        return totals;
    }

    static size_t linesIn(const std::string& path) {
        const std::string text = fileText(path);
        EXPECT_TRUE(text.empty() || text.back() == '\n') << "a line without its end";
        return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    TempFolder disk_{"full_disk"};
    bool mounted_ = false;
};

TEST_F(FullDisk, ALineIsWholeOrAbsentAndTheMissingOneIsCounted) {
    const Ended full = run({station(0, 12)}).front();
    EXPECT_EQ(full.status, 1);
    const ChipTotals totals = lastTotals(full);
    EXPECT_EQ(totals.unrecorded, 1u);
    EXPECT_LT(totals.passed + totals.failed, 12u) << "the station went on without its records";
    const size_t written = linesIn(results_) - 1;
    EXPECT_GT(written, 0u);
    EXPECT_EQ(written + totals.unrecorded, totals.passed + totals.failed);
    EXPECT_TRUE(std::any_of(full.output.begin(), full.output.end(), [&](const std::string& line) {
        return line.ends_with("did not reach " + results_ +
                              ": only part of the line was written (disk full?); the station stops before the next chip");
    }));

    std::filesystem::remove(disk_.path("filler"));
    const Ended freed = run({station(0, 2)}).front();
    EXPECT_EQ(freed.status, 0);
    EXPECT_EQ(linesIn(results_), 1 + written + 2);
    const auto records = resultsByBoard(results_);  // fails the test for any line that is not whole JSON
    ASSERT_EQ(records.count(boards.serial(0)), 1u);
    EXPECT_EQ(records.at(boards.serial(0)).size(), written + 2);
}

}  // namespace
}  // namespace tessorin::testing
