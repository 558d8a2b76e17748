// Stations killed with SIGKILL at seeded points while they hold identity
// values, started again, on one store; afterwards every value must be in one
// final state, none issued twice and every committed one on a chip's record.
// TESSORIN_SOAK_SEED=N runs N seeds instead of the few of CI.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "store/store.h"
#include "tests/store/store_engines.h"
#include "tests/store/store_invariants.h"

namespace tessorin::store {
namespace {

using testing::TestEngine;

enum KillPoint { BeforeReservation, AfterReservation, AfterWritten, BeforeRecord, KillPoints };

constexpr int kStations = 8;
constexpr int kChips = 5;
// Far longer than the server's restart takes on a loaded machine: a live
// station whose lease ran out is taken for gone (and stops at its next write).
constexpr auto kLease = std::chrono::seconds(60);

// One station process: recovers the vanished, then takes chips until its kill point.
[[noreturn]] void station(const std::string& location, const std::string& host, unsigned seed) {
    std::mt19937 random(seed);
    try {
        auto store = Store::open(location);
        ProcessIdentity self = thisProcess();
        self.host = host;
        store->recoverVanishedStations(self, kLease);
        const int64_t id = store->startStation(self, "board", "job");
        const int killAt = static_cast<int>(random() % (kChips * KillPoints + KillPoints));
        auto point = [&](int chip, KillPoint where) {
            if (chip * KillPoints + where == killAt) raise(SIGKILL);
        };
        for (int chip = 0; chip < kChips; ++chip) {
            point(chip, BeforeReservation);
            const auto held = store->reserve(id, "serial");
            if (!held) _exit(3);
            point(chip, AfterReservation);
            const unsigned outcome = random() % 4;
            if (outcome == 0) {  // refused before any byte went out
                store->settle(held->valueId, Settlement::Released, id, "no_image");
                continue;
            }
            store->markWritten(held->valueId, id);
            point(chip, AfterWritten);
            point(chip, BeforeRecord);
            const bool passed = outcome != 1;
            ChipEntry entry{"2026-12-10T08:00:00+00:00", chip + 1, "board", std::nullopt, "a.rom", std::nullopt,
                            std::nullopt, {}, passed ? "success" : "fail",
                            passed ? std::nullopt : std::optional<std::string>("board_lost"), 1, 1, "job",
                            {{"serial", held->valueId, std::to_string(held->value),
                              passed ? Settlement::Committed : Settlement::Voided}}};
            store->recordChip(id, entry);
        }
        store->endStation(id, "count reached");
        _exit(0);
    } catch (const std::exception& problem) {
        fprintf(stderr, "station %d: %s\n", getpid(), problem.what());
        _exit(2);
    }
}

pid_t startStation(const std::string& location, const std::string& host, unsigned seed) {
    const pid_t pid = fork();
    if (pid == 0) station(location, host, seed);
    return pid;
}

// Exit 0 or a SIGKILL are what a station may end with.
void expectEndedAsPlanned(pid_t pid) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE((WIFEXITED(status) && WEXITSTATUS(status) == 0) || (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL))
        << "station " << pid << " ended with status " << status;
}

class CrashedStations : public ::testing::TestWithParam<TestEngine> {
protected:
    testing::TempFolder folder_{"crash"};
};

// Two groups of stations ("PCs"): the first recognises its dead by pid, the
// second's are other hosts to it, recognised once their lease ran out. On
// PostgreSQL the server is restarted, as after a power loss, while they run.
TEST_P(CrashedStations, LeaveNoValueIssuedTwiceOrUnsettled) {
    const bool postgres = GetParam() == TestEngine::Postgres;
    // The restart must not reach the other tests' server.
    std::optional<testing::PrivatePostgres> server;
    if (postgres) {
        server.emplace(folder_);
        ASSERT_TRUE(server->started());
    }
    const std::string location = testing::freshStore(GetParam(), folder_, postgres ? server->folder() : "");
    auto store = Store::open(location);
    store->definePool({"serial", false, 1, 1'000'000, 1});
    for (unsigned seed = 1; seed <= testing::crashSeeds(); ++seed) {
        for (int round = 0; round < 2; ++round) {
            std::vector<pid_t> stations;
            for (int i = 0; i < kStations; ++i)
                stations.push_back(startStation(location, postgres && i % 2 ? "pc-b" : thisProcess().host,
                                                seed * 1000 + round * 100 + i));
            if (postgres && round == 1) {
                ASSERT_TRUE(testing::postgresServer("restart", server->folder()));
            }
            for (pid_t pid : stations) expectEndedAsPlanned(pid);
        }
    }
    // This process is of both hosts: it finds the dead of each by pid.
    store = Store::open(location);
    ProcessIdentity self = thisProcess();
    store->recoverVanishedStations(self, kLease);
    self.host = "pc-b";
    store->recoverVanishedStations(self, kLease);
    testing::expectEveryValueSettledOnce(*store);
    EXPECT_TRUE(store->connection().run("SELECT id FROM stations WHERE ended_at IS NULL").empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, CrashedStations, ::testing::Values(TestEngine::Sqlite, TestEngine::Postgres),
                         testing::engineName);

}  // namespace
}  // namespace tessorin::store
