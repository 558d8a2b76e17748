// Download throughput: a full ROM image over an emulated board that takes 1 ms
// per report on the virtual clock, and the code-file reader on the largest DAT file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/hid_link.h"
#include "download/code_file_reader.h"
#include "download/dat_download.h"
#include "download/rom_download.h"
#include "emulator/emulator_session.h"
#include "tests/support/temp_folder.h"

namespace tessorin::download {
namespace {

constexpr uint64_t kMicrosPerReport = 1000;
// Request and reply reports of downloadRomImage around the image itself:
// handshake 2, hold 3, port set-up 3, clear 1, mask 3, 0x8003 1, closing handshake 2.
constexpr uint64_t kReportsAroundImage = 15;

uint64_t minimumImageReports(uint64_t bytes) {
    constexpr uint64_t kFirst = 58, kContinuation = 61;
    return bytes <= kFirst ? 1 : 1 + (bytes - kFirst + kContinuation - 1) / kContinuation;
}

// The text of a code file of one "%02X" line per byte.
std::string codeFileText(size_t bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < bytes; ++i) {
        const auto b = static_cast<uint8_t>(i * 31 + 7);
        text += {digits[b >> 4], digits[b & 15], '\n'};
    }
    return text;
}

// A code file written once per process.
class BenchCodeFile {
public:
    BenchCodeFile(size_t bytes, const char* name) : text_(codeFileText(bytes)), path_(folder_.write(name, text_)) {}
    const std::string& path() const { return path_; }
    size_t size() const { return text_.size(); }

private:
    testing::TempFolder folder_{"bench"};
    std::string text_;
    std::string path_;
};

void RomDownloadOverOneMillisecondReports(benchmark::State& state) {
    static const BenchCodeFile file(ROM_IMAGE_CAPACITY, "image.rom");
    const uint64_t minimum = minimumImageReports(ROM_IMAGE_CAPACITY) + kReportsAroundImage;
    uint64_t reports = 0;
    double virtualMs = 0;
    for (auto _ : state) {
        emulator::EmulatorSession session;
        session.emulator.addBoard(0x6D10);
        session.emulator.setReportLatencyMicros(kMicrosPerReport);
        setHidLink(openDownloadBoard());
        session.emulator.clearTrace();
        const uint64_t start = session.clock.nowMicros();
        if (!downloadRomImage(file.path())) state.SkipWithError("download failed");
        virtualMs = static_cast<double>(session.clock.nowMicros() - start) / 1000.0;
        const std::string trace = session.emulator.trace();  // one line per report, either way
        reports = static_cast<uint64_t>(std::count(trace.begin(), trace.end(), '\n'));
    }
    if (reports != minimum) state.SkipWithError("more reports than the minimum");
    const double ideal = static_cast<double>(reports) * kMicrosPerReport / 1000.0;
    if (virtualMs > ideal * 1.01) state.SkipWithError("more than 1 % above 1 ms per report");
    state.counters["reports"] = static_cast<double>(reports);
    state.counters["minimum_reports"] = static_cast<double>(minimum);
    state.counters["virtual_ms"] = virtualMs;
    state.counters["virtual_ms_per_report"] = virtualMs / static_cast<double>(reports);
}
BENCHMARK(RomDownloadOverOneMillisecondReports)->Unit(benchmark::kMillisecond);

void ReadLargestDatCodeFile(benchmark::State& state) {
    static const BenchCodeFile file(DAT_IMAGE_CAPACITY, "image.dat");
    std::vector<uint8_t> buffer(DAT_IMAGE_CAPACITY);
    for (auto _ : state) {
        CodeFileResult result = readCodeFile(buffer, file.path());
        if (result.byteCount != DAT_IMAGE_CAPACITY) state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
    state.counters["lines"] = static_cast<double>(DAT_IMAGE_CAPACITY);
}
BENCHMARK(ReadLargestDatCodeFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessorin::download
