#pragma once
// INI texts for the window tests: the worked example's sections, with the chip
// and the configured controls varied per test.
#include <string>
#include <vector>

#include "base/format.h"

namespace tessorin::testing {

inline std::string commonSection() {
    return "[common]\n"
           "freq_combox=2402-2480`MHz\nfreq_value=0-78\nfreq_init_select_index=0\n"
           "modulation_rate_combox=1M|2M\nmodulation_rate_value=0|1\nmodulation_rate_init_select_index=0\n"
           "tx_rx_combox=TX|RX\ntx_rx_value=1|0\ntx_rx_init_select_index=0\n"
           "bt_ble_combox=BT|BLE\nbt_ble_value=0|1\nbt_ble_init_select_index=1\n"
           "carrier_data_combox=carrier;data\ncarrier_data_value=0;1\ncarrier_data_init_select_index=0\n"
           "data_length_combox=37|255\ndata_length_value=0x25|0xff\ndata_length_init_select_index=1\n"
           "freq_hop_or_fix_combox=fix|hop\nfreq_hop_or_fix_value=0|1\nfreq_hop_or_fix_init_select_index=0\n"
           "power_combox=0-7`dBm\npower_init_select_index=7\n";
}

struct ChipOptions {
    std::string type = "demo chip";
    std::string freqAddr = "0x40";
    std::string driftAddr = "0x50";
    std::string powerAddr = "0x60";
};

inline std::string chipSection(const ChipOptions& o = {}) {
    return formatText("[chip_impl]\nchip_type=%s\nchip_freq_addr=%s\nchip_mod_rate_addr=0x41\n"
                      "chip_tx_rx_addr=0x42\nchip_bt_ble_addr=0x43\nchip_carrier_data_addr=0x44\n"
                      "chip_data_length_addr=0x45\nchip_freq_fix_hop_addr=0x46\nchip_freq_drift_addr=%s\n"
                      "chip_freq_drift_pre=50 {%%02x}\nchip_freq_drift_range=[-20,20]\nchip_freq_drift_post=51 01\n"
                      "chip_power_addr=%s\nchip_power_value=10|11|12|13|14|15|16|17\n",
                      {o.type, o.freqAddr, o.driftAddr, o.powerAddr});
}

// count configured controls: "Row i" with the combo "a i|b i", values 1|2, button "Set i".
inline std::string extSection(int count, const std::string& initIndex = "0") {
    std::string text = formatText("[ext]\next_count=%d\n", {count});
    for (int i = 1; i <= count; ++i)
        text += formatText("ext%d_title=Row %d\next%d_button=Set %d\next%d_addr=0x70\next%d_combox=a %d|b %d\n"
                           "ext%d_value=1|2\next%d_init_select_index=%s\n",
                           {i, i, i, i, i, i, i, i, i, i, initIndex});
    return text;
}

inline std::string panelIni(int extCount, const ChipOptions& chip = {}) {
    return commonSection() + chipSection(chip) + extSection(extCount);
}

// A combo box as the window shows it: its list and the selected entry (-1: none).
struct ComboState {
    int id;
    std::vector<std::string> items;
    int selection;
};

// The template's combo boxes once an INI file with commonSection() is loaded:
// the eight parameter combos filled, chip type and 2.4G frequency left empty.
inline std::vector<ComboState> combosAfterLoadingCommonSection() {
    std::vector<std::string> frequencies;
    for (int f = 2402; f <= 2480; ++f) frequencies.push_back(std::to_string(f) + "MHz");
    return {
        {1019, frequencies, 0},          {1020, {"1M", "2M"}, 0},        {1022, {"TX", "RX"}, 0},
        {1024, {"BT", "BLE"}, 1},        {1026, {"carrier", "data"}, 0}, {1028, {"37", "255"}, 1},
        {1032, {"fix", "hop"}, 0},
        {1039, {"0dBm", "1dBm", "2dBm", "3dBm", "4dBm", "5dBm", "6dBm", "7dBm"}, 7},
        {1036, {}, -1},                  {1040, {}, -1},
    };
}

}  // namespace tessorin::testing
