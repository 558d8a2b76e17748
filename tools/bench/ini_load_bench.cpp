// Loading an INI file as large as operators write them: the eight RF rows, a
// chip section with power tables, and 52 configured controls whose combo texts
// and values are long lists (ranges of hundreds of entries, long item lists).
#include <benchmark/benchmark.h>

#include <string>

#include "base/format.h"
#include "config/test_config.h"
#include "report/log.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

constexpr int kConfiguredControls = 52;
constexpr int kRangeEntries = 512;
constexpr int kListedItems = 200;

// The loader logs every key it reads; the log stream is not what is measured.
class DiscardedLog final : public LogOutput {
public:
    DiscardedLog() { setLogOutput(this); }
    ~DiscardedLog() override { setLogOutput(nullptr); }
    void write(std::string_view) override {}
};

std::string listedItems(int count, const char* format) {
    std::string text;
    for (int i = 0; i < count; ++i) text += formatText(i ? "|%s" : "%s", {formatText(format, {i})});
    return text;
}

std::string largeIni() {
    std::string ini = "[common]\n";
    for (std::string_view stem : rfParamNames) {
        ini += formatText("%s_combox=0-%d`step\n%s_value=0-%d\n%s_init_select_index=1\n",
                          {stem, kRangeEntries - 1, stem, kRangeEntries - 1, stem});
    }
    ini += "[chip_impl]\nchip_type=bench chip\nchip_freq_addr=0x40\nchip_mod_rate_addr=0x41\nchip_tx_rx_addr=0x42\n"
           "chip_bt_ble_addr=0x43\nchip_carrier_data_addr=0x44\nchip_data_length_addr=0x45\n"
           "chip_freq_fix_hop_addr=0x46\nchip_freq_drift_addr=0x50\nchip_freq_drift_pre=50 {%02x}\n"
           "chip_freq_drift_range=[-20,20]\nchip_freq_drift_post=51 01\nchip_power_addr=0x60|0x64\n"
           "chip_power_value=" + listedItems(32, "%08x") + ";" + listedItems(32, "1%07x") + "\n";
    ini += formatText("[ext]\next_count=%d\n", {kConfiguredControls});
    for (int n = 1; n <= kConfiguredControls; ++n) {
        const bool ranged = n % 2 == 0;
        ini += formatText("ext%d_title=control %d\next%d_button=SET\next%d_addr=0x%x\next%d_init_select_index=0\n",
                          {n, n, n, n, 0x100 + 4 * n, n});
        if (ranged) {
            ini += formatText("ext%d_combox=0-%d`dB\next%d_value=0-%d\n", {n, kRangeEntries - 1, n, kRangeEntries - 1});
        } else {
            ini += formatText("ext%d_combox=%s\next%d_value=%s\next%d_parse_value_by_string=1\n",
                              {n, listedItems(kListedItems, "level %d"), n, listedItems(kListedItems, "%08x"), n});
        }
    }
    return ini;
}

void IniLoadFiftyTwoControlsLongLists(benchmark::State& state) {
    const testing::TempFolder folder;
    const std::string text = largeIni();
    const std::string path = folder.write("large.ini", text);
    DiscardedLog quiet;
    size_t controls = 0;
    for (auto _ : state) {
        std::unique_ptr<TestConfig> config = loadTestConfig(path);
        controls = config->extControls().size();
        benchmark::DoNotOptimize(config.get());
    }
    if (controls != kConfiguredControls) state.SkipWithError("not every configured control loaded");
    state.counters["file_bytes"] = static_cast<double>(text.size());
    state.counters["controls"] = static_cast<double>(controls);
}
BENCHMARK(IniLoadFiftyTwoControlsLongLists)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessorin
