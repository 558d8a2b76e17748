// A station whose SQLite store fills its disk (a small tmpfs of its own) after
// the first chip: the second chip's record does not commit, the station says
// so and stops before its next chip (exit 4), and what the store took stays.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/text.h"
#include "report/message_table.h"
#include "store/store.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"
#include "tests/fake_hidraw/station_process.h"
#include "tests/store/store_invariants.h"

namespace tessorin::testing {
namespace {

constexpr uint16_t kChip = 0x6D10;

// Writes until the disk is full.
void fill(const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    const std::string block(64 * 1024, 'x');
    while (file.write(block.data(), static_cast<std::streamsize>(block.size())) && file.flush()) {
    }
}

class FullStore : public FakeBoardTest {
protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs takes root";
        std::filesystem::create_directories(disk_);
        ASSERT_EQ(mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=1m"), 0) << std::strerror(errno);
        mounted_ = true;
        boards.addBoard(kChip);
        folder_.write("station.rom", bytePerLineText(imageBytes(2000)));
        job_ = folder_.write("job.toml", "image = \"station.rom\"\nstore = \"disk/line.sqlite\"\n[[identity]]\n"
                                         "name = \"serial\"\nsource = \"counter\"\nfirst = 1\nlast = 100\n"
                                         "width = 2\ntarget = \"memory\"\naddress = 0x4c20\n");
    }
    void TearDown() override {
        if (mounted_) umount(disk_.c_str());
    }

    TempFolder folder_{"full_store"};
    std::string disk_ = folder_.path("disk");
    bool mounted_ = false;
    std::string job_;
};

TEST_F(FullStore, TheStationStopsBeforeItsNextChipAndKeepsWhatWasRecorded) {
    const std::string waiting = replaceAll(MessageTable(1252)[msgWaitingConnect], "\n", "");
    size_t chipAwayAt = std::string::npos;
    std::string output;
    const int status = runWatched({programBeside("tessorin"), "--job", job_, "--count", "3"}, output,
                                  [&](pid_t, const std::string& sofar) {
                                      if (chipAwayAt == std::string::npos && sofar.find("chips: 1 passed") != std::string::npos) {
                                          fill(disk_ + "/filler");
                                          boards.detachChip(0);
                                          chipAwayAt = sofar.size();
                                      } else if (chipAwayAt != std::string::npos && chipAwayAt != 0 &&
                                                 sofar.find(waiting, chipAwayAt) != std::string::npos) {
                                          boards.attachChip(0, kChip);
                                          chipAwayAt = 0;
                                      }
                                  });
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), 4) << output;
    EXPECT_NE(output.find("store: the record of chip 2 did not reach " + disk_ + "/line.sqlite: "), std::string::npos)
        << output;
    EXPECT_NE(output.find("; the station stops before the next chip"), std::string::npos);

    std::filesystem::remove(disk_ + "/filler");
    auto store = store::Store::open(disk_ + "/line.sqlite");
    store->recoverVanishedStations(store::thisProcess(), std::chrono::seconds(120));
    const store::SqlRows chips = store->connection().run("SELECT sequence, result FROM chips");
    ASSERT_EQ(chips.size(), 1u);
    EXPECT_EQ(store::cellText(chips[0], 1), "success");
    // The second chip holds serial 2: void, never issued again.
    EXPECT_EQ(store->connection().run("SELECT value, state FROM identity_values ORDER BY value"),
              (store::SqlRows{{"1", "committed"}, {"2", "void"}}));
    expectEveryValueSettledOnce(*store);
}

}  // namespace
}  // namespace tessorin::testing
