// A DAT image that fills the whole 64 KiB EEPROM, written page by page over an
// emulated board at 1 ms per report on the virtual clock. The floor is the 5 ms
// pause after each of the 2048 pages; the link adds its reports on top.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/not_examined.h"
#include "device/board_commands.h"
#include "device/hid_link.h"
#include "download/dat_download.h"
#include "emulator/emulator_session.h"

namespace tessorin::download {
namespace {

constexpr uint64_t kMicrosPerReport = 1000;
constexpr uint64_t kPagePauseMicros = 5000;

void EepromFullImageWithPagePause(benchmark::State& state) {
    const std::vector<uint8_t> image(kEepromAddressSpace, 0x3C);
    const uint64_t pages = kEepromAddressSpace / kEepromPageSize;
    double virtualMs = 0;
    uint64_t reports = 0;
    for (auto _ : state) {
        emulator::EmulatorSession session;
        const int device = session.emulator.addBoard(0x6D10);
        session.emulator.setReportLatencyMicros(kMicrosPerReport);
        session.emulator.setTraceEnabled(true);
        setHidLink(openDownloadBoard());
        notExamined(boardReadChipId());  // the id is read once per process; keep it out of the page traffic
        session.emulator.clearTrace();
        const uint64_t start = session.clock.nowMicros();
        if (!writeEepromImage(image)) state.SkipWithError("EEPROM write failed");
        virtualMs = static_cast<double>(session.clock.nowMicros() - start) / 1000.0;
        const std::string trace = session.emulator.trace();
        reports = static_cast<uint64_t>(std::count(trace.begin(), trace.end(), '\n'));
        const int written =
            session.emulator.withChip(device, [](emulator::ChipModel& chip) { return chip.eeprom().pageWrites(); });
        if (static_cast<uint64_t>(written) != pages) state.SkipWithError("not every page reached the EEPROM");
    }
    const double pauseFloorMs = static_cast<double>(pages * kPagePauseMicros) / 1000.0;
    const double linkMs = static_cast<double>(reports * kMicrosPerReport) / 1000.0;
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["reports"] = static_cast<double>(reports);
    state.counters["virtual_ms"] = virtualMs;
    state.counters["pause_floor_ms"] = pauseFloorMs;
    state.counters["link_ms"] = linkMs;
    // 1.0 means nothing but the pauses and the reports themselves took time.
    state.counters["ratio_to_floor_and_link"] = virtualMs / (pauseFloorMs + linkMs);
    state.counters["reports_per_page"] = static_cast<double>(reports) / static_cast<double>(pages);
}
BENCHMARK(EepromFullImageWithPagePause)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessorin::download
