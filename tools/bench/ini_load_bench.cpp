// Loading an INI file as large as operators write them: the eight RF rows, a
// chip section with power tables, and 52 configured controls whose combo texts
// and values are long lists (ranges of hundreds of entries, long item lists).
// Then the growth of a load with the number of configured controls, against
// decoding the whole file again for every key read.
#include <benchmark/benchmark.h>

#include <ctime>
#include <map>
#include <string>

#include "base/format.h"
#include "config/ini_file_reader.h"
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

constexpr double kGoalMsAtMostControls = 50.0;

// The worked example's RF rows and chip, then configured controls of the kind
// operators write: a title, a button, an address and short lists.
std::string iniWithControls(int controls) {
    std::string ini = "[common]\nfreq_combox=2402-2480`MHz\nfreq_value=0-78\nfreq_init_select_index=0\n"
                      "modulation_rate_combox=1M|2M\nmodulation_rate_value=0|1\ntx_rx_combox=TX|RX\ntx_rx_value=1|0\n"
                      "bt_ble_combox=BT|BLE\nbt_ble_value=0|1\ncarrier_data_combox=carrier;data\ncarrier_data_value=0;1\n"
                      "data_length_combox=37|255\ndata_length_value=0x25|0xff\nfreq_hop_or_fix_combox=fix|hop\n"
                      "freq_hop_or_fix_value=0|1\npower_combox=0-7`dBm\npower_init_select_index=7\n"
                      "[chip_impl]\nchip_type=demo chip\nchip_freq_addr=0x40\nchip_mod_rate_addr=0x41\n"
                      "chip_tx_rx_addr=0x42\nchip_bt_ble_addr=0x43\nchip_carrier_data_addr=0x44\n"
                      "chip_data_length_addr=0x45\nchip_freq_fix_hop_addr=0x46\nchip_power_addr=0x60\n"
                      "chip_power_value=10|11|12|13|14|15|16|17\n";
    ini += formatText("[ext]\next_count=%d\n", {controls});
    for (int n = 1; n <= controls; ++n) {
        ini += formatText("ext%d_title=Register %d\next%d_button=SET\next%d_addr=0x%x\next%d_combox=off|low|mid|high\n"
                          "ext%d_value=0|1|2|3\next%d_init_select_index=0\next%d_parse_value_by_string=0\n",
                          {n, n, n, n, 0x1000 + n, n, n, n, n});
    }
    return ini;
}

// Every key read decodes the whole file again, as loads did before a load read
// its file once.
class DecodedPerKey final : public ProfileReader {
public:
    using ProfileReader::ProfileReader;
    std::string read(std::string_view section, std::string_view key, size_t bufferUnits) const override {
        return readIniFileValue(iniPath(), section, key, bufferUnits);
    }
};

// Milliseconds per load of the per-key baseline, by number of controls, for the
// ratio the one-decode load reports in the same run.
std::map<int64_t, double>& perKeyMs() {
    static std::map<int64_t, double> figures;
    return figures;
}

// Processor milliseconds per load, measured around the loop the framework times:
// unlike the wall clock, it does not grow when other work shares the machine.
template <typename LoadFrom>
double measureLoads(benchmark::State& state, LoadFrom loadFrom) {
    const int controls = static_cast<int>(state.range(0));
    const testing::TempFolder folder;
    const std::string text = iniWithControls(controls);
    const std::string path = folder.write("controls.ini", text);
    DiscardedLog quiet;
    size_t loaded = 0;
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        std::unique_ptr<TestConfig> config = loadFrom(path);
        loaded = config->extControls().size();
        benchmark::DoNotOptimize(config.get());
    }
    const double ms = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC /
                      static_cast<double>(state.iterations());
    if (loaded != static_cast<size_t>(controls)) state.SkipWithError("not every configured control loaded");
    state.counters["file_bytes"] = static_cast<double>(text.size());
    state.counters["cpu_ms"] = ms;
    state.counters["cpu_us_per_control"] = 1000.0 * ms / static_cast<double>(controls);
    return ms;
}

void IniLoadDecodedPerKey(benchmark::State& state) {
    perKeyMs()[state.range(0)] =
        measureLoads(state, [](const std::string& path) { return loadTestConfig(DecodedPerKey(path)); });
}

void IniLoadDecodedOnce(benchmark::State& state) {
    const double ms = measureLoads(state, [](const std::string& path) { return loadTestConfig(path); });
    auto baseline = perKeyMs().find(state.range(0));
    if (baseline != perKeyMs().end()) state.counters["per_key_ratio"] = baseline->second / ms;
    if (state.range(0) == kMaxExtControls && ms > kGoalMsAtMostControls) state.SkipWithError("load above 50 ms");
}

// The baseline runs first and once per size: at 1024 controls one load takes seconds.
BENCHMARK(IniLoadDecodedPerKey)->Arg(52)->Arg(256)->Arg(kMaxExtControls)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(IniLoadDecodedOnce)->Arg(52)->Arg(256)->Arg(kMaxExtControls)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessorin
