// The station store under a line's load: 16 stations at once, each on its own
// connection with its station row, take one identity value a chip, mark it
// written and record the chip (fsync on every commit: SQLite synchronous=FULL,
// PostgreSQL's default). Figures: the latency of that per chip (p50, p99) and
// chips a second of all 16; the same for the reservation alone (allocations a second). Then the factory's questions on a store
// of 1,000,000 chip records.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "store/postgres_connection.h"
#include "store/store.h"
#include "store/store_queries.h"
#include "tests/support/temp_folder.h"

namespace tessorin::store {
namespace {

constexpr int kWriters = 16;
constexpr int kChipsPerWriter = 40;
constexpr int64_t kRecords = 1'000'000;

using Clock = std::chrono::steady_clock;

// A PostgreSQL server of its own for the run, stopped when the program ends.
std::string postgresFolder() {
    static const std::string folder = [] {
        const std::string path = "/tmp/tessorin-postgres-bench-" + std::to_string(getpid());
        const std::string script = std::string(TESSORIN_SOURCE_DIR) + "/tests/store/postgres_server";
        if (std::system((script + " start " + path + " >/dev/null").c_str()) != 0) return std::string();
        static const std::string stop = script + " stop " + path;
        std::atexit([] { (void)std::system(stop.c_str()); });
        return path;
    }();
    return folder;
}

std::string freshLocation(bool postgres, const testing::TempFolder& folder) {
    static int serial = 0;
    const std::string name = "bench" + std::to_string(serial++);
    if (!postgres) return folder.path(name + ".sqlite");
    openPostgres("postgresql:///postgres?host=" + postgresFolder() + "&user=tessorin")->script("CREATE DATABASE " + name);
    return "postgresql:///" + name + "?host=" + postgresFolder() + "&user=tessorin";
}

double percentile(std::vector<double>& values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(share * static_cast<double>(values.size() - 1))];
}

// withRecord: a chip's whole store work; without, the reservation alone.
void sixteenStations(benchmark::State& state, bool postgres, bool withRecord) {
    if (postgres && postgresFolder().empty()) {
        state.SkipWithError("no PostgreSQL server could be started");
        return;
    }
    testing::TempFolder folder("store_bench");
    const std::string location = freshLocation(postgres, folder);
    Store::open(location)->definePool({"serial", false, 1, 1'000'000'000, 1});
    std::vector<double> latenciesMs;
    double seconds = 0;
    for (auto _ : state) {
        std::mutex mutex;
        std::vector<std::thread> writers;
        const auto start = Clock::now();
        for (int w = 0; w < kWriters; ++w)
            writers.emplace_back([&, w] {
                auto store = Store::open(location);
                ProcessIdentity self = thisProcess();
                self.pid = self.pid * 100 + w;  // sixteen stations of one host
                const int64_t station = store->startStation(self, "board", "job");
                std::vector<double> mine;
                for (int chip = 1; chip <= kChipsPerWriter; ++chip) {
                    const auto begun = Clock::now();
                    const auto held = store->reserve(station, "serial");
                    if (withRecord) store->markWritten(held->valueId, station);
                    if (withRecord) store->recordChip(station, {"2026-12-10T08:00:00+00:00", chip, "board", "0x6d10", "a.rom", "ab", 9,
                                                {}, "success", std::nullopt, 500, 360, "job",
                                                {{"serial", held->valueId, std::to_string(held->value),
                                                  Settlement::Committed}}});
                    mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begun).count());
                }
                store->endStation(station, "count reached");
                std::lock_guard<std::mutex> lock(mutex);
                latenciesMs.insert(latenciesMs.end(), mine.begin(), mine.end());
            });
        for (std::thread& writer : writers) writer.join();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.counters["p50_ms"] = percentile(latenciesMs, 0.50);
    state.counters["p99_ms"] = percentile(latenciesMs, 0.99);
    state.counters["per_s"] = static_cast<double>(latenciesMs.size()) / seconds;
}

void BM_StoreChip16Writers_Sqlite(benchmark::State& state) { sixteenStations(state, false, true); }
void BM_StoreChip16Writers_Postgres(benchmark::State& state) { sixteenStations(state, true, true); }
void BM_Allocation16Writers_Sqlite(benchmark::State& state) { sixteenStations(state, false, false); }
void BM_Allocation16Writers_Postgres(benchmark::State& state) { sixteenStations(state, true, false); }
BENCHMARK(BM_StoreChip16Writers_Sqlite)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StoreChip16Writers_Postgres)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Allocation16Writers_Sqlite)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Allocation16Writers_Postgres)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1,000,000 chips of four boards, two images, ten days, one in fifty failed, each with an identity value.
Store& millionChipStore() {
    static testing::TempFolder folder("store_bench_million");
    static std::unique_ptr<Store> store = [] {
        auto opened = Store::open(folder.path("million.sqlite"));
        opened->definePool({"bd_addr", false, 0x001A7D000000, 0x001A7DFFFFFF, 1});
        const int64_t station = opened->startStation(thisProcess(), "board", "job");
        Connection& db = opened->connection();
        db.begin();
        db.run("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $1) "
               "INSERT INTO chips (station_id, finished_at, day, sequence, board, chip_id, image, image_sha256, "
               "image_bytes, presets, result, reason, duration_ms, reports, job_sha256) SELECT $2, "
               "'2026-12-' || printf('%02d', 1 + i % 10) || 'T08:00:00+08:00', '2026-12-' || printf('%02d', 1 + i % 10), "
               "i, 'TSB000' || (i % 4), '0x6d10', 'fw' || (i % 2) || '.rom', printf('%064d', i % 2), 9000, '[]', "
               "CASE WHEN i % 50 = 0 THEN 'fail' ELSE 'success' END, CASE WHEN i % 50 = 0 THEN 'board_lost' END, "
               "550, 364, 'job' FROM n",
               {kRecords, station});
        db.run("INSERT INTO identity_values (id, pool_id, value, state, station_id, chip_id) "
               "SELECT id, 1, 0x001A7D000000 + id, 'committed', station_id, id FROM chips");
        db.run("INSERT INTO chip_identities (chip_id, field, value_id, shown) SELECT id, 'bd_addr', id, "
               "printf('00:1A:7D:%02X:%02X:%02X', (id >> 16) & 255, (id >> 8) & 255, id & 255) FROM chips");
        db.commit();
        return opened;
    }();
    return *store;
}

void BM_ResultsSummary_MillionChips(benchmark::State& state) {
    Store& store = millionChipStore();
    for (auto _ : state) benchmark::DoNotOptimize(summary(store));
}
void BM_ResultsFind_MillionChips(benchmark::State& state) {
    Store& store = millionChipStore();
    for (auto _ : state) benchmark::DoNotOptimize(find(store, "00:1A:7D:07:A1:20"));
}
BENCHMARK(BM_ResultsSummary_MillionChips)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResultsFind_MillionChips)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessorin::store
