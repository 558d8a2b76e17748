// Eight station processes of one job on eight fake boards, sharing one store,
// each killed with SIGKILL at a seeded point of its chip (before its values are
// reserved, after, mid-image, after the image, before the record) or left to
// finish; then started again on fresh chips. On PostgreSQL the stations are two
// PCs of four: in the second round the server restarts under them and the
// second PC loses power (all four killed at once) mid-image. Afterwards the
// store holds every value in one final state, and every chip that got bytes
// holds a value the store reserved for it and never issued again.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include "store/store.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"
#include "tests/fake_hidraw/station_process.h"
#include "tests/store/store_engines.h"
#include "tests/store/store_invariants.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

constexpr uint16_t kChip = 0x6D10;
constexpr int kStations = 8;
constexpr uint32_t kSerialAddress = 0x4c20;

// The line a station prints as it reaches each point; empty: killed at once.
const std::vector<std::string> kKillLines = {"", "USB opened successfully.", "download 50%", "download success!",
                                             "download finish!"};

class StationCrash : public FakeBoardTest, public ::testing::WithParamInterface<TestEngine> {
protected:
    void SetUp() override {
        for (int i = 0; i < kStations; ++i) boards.addBoard(kChip);
        if (postgres()) {
            server_.emplace(folder_);
            ASSERT_TRUE(server_->started());
        }
        store_ = freshStore(GetParam(), folder_, postgres() ? server_->folder() : "");
        folder_.write("station.rom", bytePerLineText(imageBytes(3000)));
        job_ = folder_.write("job.toml", "image = \"station.rom\"\nstore = \"" + store_ +
                                             "\"\n[[identity]]\nname = \"serial\"\nsource = \"counter\"\n"
                                             "first = 1\nlast = 1000000\nwidth = 4\ntarget = \"memory\"\n"
                                             "address = 0x4c20\n");
    }

    bool postgres() const { return GetParam() == TestEngine::Postgres; }

    // The serial in the chip's RAM; 0 when none was written.
    int64_t serialInChip(int board) {
        return boards.withChip(board, [](emulator::ChipModel& chip) {
            int64_t value = 0;
            for (uint32_t i = 0; i < 4; ++i) value |= int64_t{chip.peek(kSerialAddress + i)} << (8 * i);
            return value;
        });
    }

    TempFolder folder_{"station_crash"};
    std::optional<PrivatePostgres> server_;  // a server of its own: it is restarted
    std::string store_;
    std::string job_;
};

// The second PC's stations, all killed at once when the first of them is mid-image.
class PowerLoss {
public:
    void watch(pid_t pid, const std::string& output) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (std::find(stations_.begin(), stations_.end(), pid) == stations_.end()) stations_.push_back(pid);
        if (lost_ || output.find("download 50%") == std::string::npos) return;
        lost_ = true;
        for (pid_t station : stations_) ::kill(station, SIGKILL);
    }

private:
    std::mutex mutex_;
    std::vector<pid_t> stations_;
    bool lost_ = false;
};

TEST_P(StationCrash, NoValueIssuedTwiceNoChipWithoutAReservedValue) {
    std::vector<int64_t> chipSerials;
    for (unsigned seed = 1; seed <= crashSeeds(); ++seed) {
        std::mt19937 random(seed);
        for (int round = 0; round < 2; ++round) {
            const bool serverRestart = postgres() && round == 1;
            PowerLoss secondPc;
            std::vector<std::thread> stations;
            std::vector<std::string> outputs(kStations);
            for (int board = 0; board < kStations; ++board) {
                const size_t point = random() % (kKillLines.size() + 2);  // some finish their chip
                const std::string kill = point < kKillLines.size() ? kKillLines[point] : "never";
                const bool onSecondPc = serverRestart && board >= kStations / 2;
                stations.emplace_back([&, board, kill, onSecondPc] {
                    const int status = runWatched(
                        {programBeside("tessorin"), "--job", job_, "--board", boards.serial(board), "--count", "1"},
                        outputs[static_cast<size_t>(board)], [&](pid_t pid, const std::string& output) {
                            if (onSecondPc) secondPc.watch(pid, output);
                            if (kill.empty() || output.find(kill) != std::string::npos) ::kill(pid, SIGKILL);
                        });
                    const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
                    const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
                    EXPECT_TRUE(finished || killed) << status << "\n" << outputs[static_cast<size_t>(board)];
                });
            }
            if (serverRestart) {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                ASSERT_TRUE(postgresServer("restart", server_->folder()));
            }
            for (std::thread& station : stations) station.join();
            for (int board = 0; board < kStations; ++board) {
                if (const int64_t serial = serialInChip(board)) chipSerials.push_back(serial);
                boards.detachChip(board);
                boards.attachChip(board, kChip);
            }
        }
    }
    auto store = store::Store::open(store_);
    store->recoverVanishedStations(store::thisProcess(), std::chrono::seconds(120));
    expectEveryValueSettledOnce(*store);
    // A chip holds only a value that was reserved for it and is now committed or void.
    std::set<int64_t> seen;
    for (const int64_t serial : chipSerials) {
        EXPECT_TRUE(seen.insert(serial).second) << "serial " << serial << " went into two chips";
        const store::SqlRows rows = store->connection().run("SELECT state FROM identity_values WHERE value = $1", {serial});
        ASSERT_EQ(rows.size(), 1u) << "serial " << serial << " in a chip was never reserved";
        EXPECT_TRUE(store::cellText(rows[0], 0) == "committed" || store::cellText(rows[0], 0) == "void")
            << serial << " is " << store::cellText(rows[0], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, StationCrash, ::testing::Values(TestEngine::Sqlite, TestEngine::Postgres),
                         engineName);

}  // namespace
}  // namespace tessorin::testing
