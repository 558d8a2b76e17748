// The dashboard on a store of 1,000,000 chip records spread over the last day:
// /api/summary and /api/boards as the server computes them, and the first page
// load over HTTP on 127.0.0.1 (the page, its two files, then the four API
// answers at once, as the page asks them). Goal: under 300 ms each. Then the
// station's side: a chip's store work (its record) and its 430 progress
// reports, with the board's state published and without.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <atomic>
#include <thread>

#include "dashboard/dashboard_server.h"
#include "station/board_publisher.h"
#include "store/board_states.h"
#include "tests/support/temp_folder.h"

namespace tessorin::dashboard {
namespace {

constexpr int64_t kRecords = 1'000'000;
constexpr uint64_t kReportsPerChip = 430;  // a 24,000-byte image

testing::TempFolder& benchFolder() {
    static testing::TempFolder folder("dashboard_bench");
    return folder;
}

// Eight boards, one chip in forty failed for one of three reasons, one every 86 ms of the last day.
const std::string& millionChipStore() {
    static const std::string location = [] {
        const std::string path = benchFolder().path("million.sqlite");
        auto store = store::Store::open(path);
        const int64_t station = store->startStation(store::thisProcess(), "TSB0000", "");
        store::Connection& db = store->connection();
        db.begin();
        db.run("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $1) "
               "INSERT INTO chips (station_id, finished_at, day, sequence, board, image, presets, result, reason, "
               "duration_ms, reports) SELECT $2, strftime('%Y-%m-%dT%H:%M:%S+00:00', 'now', '-' || (i * 864 / 10000) "
               "|| ' seconds'), strftime('%Y-%m-%d', 'now'), i, 'TSB000' || (i % 8), 'fw.rom', '[]', CASE WHEN i % 40 "
               "= 0 THEN 'fail' ELSE 'success' END, CASE WHEN i % 40 = 0 THEN 'reason_' || (i % 3) END, 900, 430 FROM n",
               {kRecords, station});
        db.commit();
        for (int board = 0; board < 8; ++board)
            store::publishBoardState(*store, {"TSB000" + std::to_string(board), station, "downloading", 50, "0x6d10", "", ""});
        return path;
    }();
    return location;
}

template <Json (*View)(store::Store&)>
void viewOfMillionChips(benchmark::State& state) {
    auto store = store::Store::open(millionChipStore());
    for (auto _ : state) benchmark::DoNotOptimize(View(*store));
}
void BM_DashboardSummary_MillionChips(benchmark::State& state) { viewOfMillionChips<summaryView>(state); }
void BM_DashboardBoards_MillionChips(benchmark::State& state) { viewOfMillionChips<boardsView>(state); }
BENCHMARK(BM_DashboardSummary_MillionChips)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DashboardBoards_MillionChips)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DashboardFirstPageLoad_MillionChips(benchmark::State& state) {
    StoreWatch watch(millionChipStore(), [](const std::string&) {});
    DashboardServer server(watch);
    std::string problem;
    const int port = server.bind("127.0.0.1", 0, problem).value_or(0);
    std::thread serving([&] { server.serve(); });
    for (auto _ : state) {
        // A new browser: the page and its files, then the API answers at once, each on its own connection.
        httplib::Client page("127.0.0.1", port);
        for (const char* path : {"/", "/dashboard.css", "/dashboard.js"})
            if (const httplib::Result answer = page.Get(path); !answer || answer->status != 200) state.SkipWithError(path);
        std::vector<std::thread> asking;
        std::atomic<int> failed{0};
        for (const char* path : {"/api/boards", "/api/summary", "/api/failures", "/api/pools"})
            asking.emplace_back([&, path] {
                httplib::Client client("127.0.0.1", port);
                if (const httplib::Result answer = client.Get(path); !answer || answer->status != 200) ++failed;
            });
        for (std::thread& thread : asking) thread.join();
        if (failed) state.SkipWithError("an API answer failed");
    }
    server.stop();
    serving.join();
}
BENCHMARK(BM_DashboardFirstPageLoad_MillionChips)->Unit(benchmark::kMillisecond)->UseRealTime();

// The console's progress lines, left out of the figures.
struct QuietProgress final : ProgressSink {
    void progress(uint64_t, uint64_t) override {}
};

// One chip's work on the station's thread and its store: the progress of its
// image, then its record; with publishing, the board's state goes out beside it.
void stationChips(benchmark::State& state, bool publishing) {
    static int serial = 0;
    auto store = store::Store::open(benchFolder().path("station" + std::to_string(serial++) + ".sqlite"));
    const int64_t station = store->startStation(store::thisProcess(), "TSB0001", "");
    QuietProgress console;
    std::unique_ptr<BoardPublisher> publisher =
        publishing ? BoardPublisher::start(store->location(), station, "TSB0001", console) : nullptr;
    ProgressSink& progress = publisher ? static_cast<ProgressSink&>(*publisher) : console;
    int64_t sequence = 0;
    for (auto _ : state) {
        if (publisher) publisher->activity(download::BoardActivity::ChipFound);
        for (uint64_t report = 0; report <= kReportsPerChip; ++report) progress.progress(report * 56, kReportsPerChip * 56);
        progress.finished();
        if (publisher) publisher->chipFinished(true, "");
        store->recordChip(station, {"2026-12-10T08:00:00+00:00", ++sequence, "TSB0001", "0x6d10", "fw.rom",
                                    std::nullopt, std::nullopt, {}, "success", std::nullopt, 900, 430, "", {}});
    }
}
void BM_StationChip_WithoutPublishing(benchmark::State& state) { stationChips(state, false); }
void BM_StationChip_Publishing(benchmark::State& state) { stationChips(state, true); }
BENCHMARK(BM_StationChip_WithoutPublishing)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_StationChip_Publishing)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

}  // namespace
}  // namespace tessorin::dashboard
