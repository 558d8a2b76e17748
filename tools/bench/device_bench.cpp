// Host work per report for a ROM-sized fixed-address write (150000 bytes into
// the code-load port) against an emulator that adds as little as it can: no
// latency, no trace. The emulator's own share is measured on its own, so the
// host's share is the difference; the same write with the station's progress
// attached shows what a progress report adds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "base/not_examined.h"
#include "device/board_commands.h"
#include "device/hid_link.h"
#include "station/console_progress.h"
#include "emulator/board_emulator.h"
#include "report/log.h"

namespace {

using namespace tessorin;

constexpr int kImageBytes = 150000;
// One first report of 58 bytes, then continuations of 61.
constexpr int64_t kReportsPerImage = 1 + (kImageBytes - 58 + 60) / 61;

class QuietBoard {
public:
    QuietBoard() {
        emulator.setReportLatencyMicros(0);
        emulator.setTraceEnabled(false);
        emulator.addBoard(0x3C05);
        setHidTransport(&emulator);
        setHidLink(openDownloadBoard());
        // Hold the CPU and set the port up, so every byte takes the capture path.
        notExamined(boardSetCpuControl(1));
        const uint8_t setUp[3] = {0x00, 0x80, 0x00};
        for (int i = 0; i < 3; ++i) notExamined(boardWriteMemory(true, &setUp[i], 0x8022 + i, 1));
    }
    ~QuietBoard() {
        closeHidLink();
        setHidTransport(nullptr);
    }
    void forgetImage() {
        emulator.withChip(0, [](emulator::ChipModel& chip) {
            chip.clearCodeLoad();
            return 0;
        });
    }

    emulator::BoardEmulator emulator;
};

void reportCounters(benchmark::State& state) {
    const double reports = static_cast<double>(state.iterations() * kReportsPerImage);
    state.counters["reports_per_s"] = benchmark::Counter(reports, benchmark::Counter::kIsRate);
    // An inverted rate prints as time per report with its unit, e.g. "56ns".
    state.counters["time_per_report"] =
        benchmark::Counter(reports, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_HostAndEmulator_FixedAddressWrite150000(benchmark::State& state) {
    QuietBoard board;
    const std::vector<uint8_t> image(kImageBytes, 0x5A);
    for (auto _ : state) {
        benchmark::DoNotOptimize(boardWriteMemory(false, image.data(), 0x8025, kImageBytes));
        state.PauseTiming();
        board.forgetImage();
        state.ResumeTiming();
    }
    reportCounters(state);
}
BENCHMARK(BM_HostAndEmulator_FixedAddressWrite150000)->Unit(benchmark::kMicrosecond);

class DiscardedLog final : public LogOutput {
public:
    DiscardedLog() { setLogOutput(this); }
    ~DiscardedLog() override { setLogOutput(nullptr); }
    void write(std::string_view) override {}
};

// With the station's console progress (plain lines) reporting every report.
// Host, emulator and progress together stay under 1 us per report, or the
// benchmark fails: the host's own share is smaller still.
void BM_HostWithProgress_FixedAddressWrite150000(benchmark::State& state) {
    QuietBoard board;
    DiscardedLog log;
    ConsoleProgress progress(false);
    const std::vector<uint8_t> image(kImageBytes, 0x5A);
    std::chrono::nanoseconds timed{0};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        progress.progress(0, kImageBytes);
        benchmark::DoNotOptimize(boardWriteMemory(false, image.data(), 0x8025, kImageBytes, &progress));
        progress.finished();
        timed += std::chrono::steady_clock::now() - start;
        state.PauseTiming();
        board.forgetImage();
        state.ResumeTiming();
    }
    reportCounters(state);
    const double nsPerReport = static_cast<double>(timed.count()) / static_cast<double>(state.iterations() * kReportsPerImage);
    if (nsPerReport >= 1000.0) state.SkipWithError("a report with its progress takes 1 us or more");
}
BENCHMARK(BM_HostWithProgress_FixedAddressWrite150000)->Unit(benchmark::kMicrosecond);

// The same reports handed straight to the emulator, without the host stack.
void BM_EmulatorAlone_FixedAddressWrite150000(benchmark::State& state) {
    QuietBoard board;
    const HidHandle handle = hidLink();
    DevicePacket first;
    first[0] = kRequestReportId;
    first[1] = 0x17;
    first[2] = 58;
    first[3] = 0x25;
    first[4] = 0x80;
    DevicePacket continuation;
    continuation[0] = kRequestReportId;
    continuation[1] = 0x13;
    continuation[2] = 61;
    for (auto _ : state) {
        board.emulator.write(handle, first.bytes.data(), kTransferTimeoutMs);
        for (int64_t i = 1; i < kReportsPerImage; ++i)
            board.emulator.write(handle, continuation.bytes.data(), kTransferTimeoutMs);
        state.PauseTiming();
        board.forgetImage();
        state.ResumeTiming();
    }
    reportCounters(state);
}
BENCHMARK(BM_EmulatorAlone_FixedAddressWrite150000)->Unit(benchmark::kMicrosecond);

}  // namespace
