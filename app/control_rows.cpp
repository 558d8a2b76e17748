#include "app/control_rows.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "config/test_config.h"

namespace tessorin {
namespace {

using Dlg = CBrevoxDownloadToolDlg;

// The RF rows stand in the order of the chip's availability flags; their
// parameters in the order of the INI file's combo definitions.
const std::array<ControlRow, 13> kRows = {{
    {"download", kDownloadButtonId, &Dlg::OnBnClickedButtonDownload},
    {"select-rom", kSelectRomButtonId, &Dlg::OnBnClickedButtonSelectRom},
    {"select-ini", kSelectIniButtonId, &Dlg::OnBnClickedButtonSelectIni},
    {"freq", kFrequencyButtonId, &Dlg::OnBnClickedParameterSelect, kFrequencyComboId, rfFreq, 0},
    {"modulation-rate", kModulationRateButtonId, &Dlg::OnBnClickedParameterSelect, kModulationRateComboId,
     rfModulationRate, 1},
    {"tx-rx", kTxRxButtonId, &Dlg::OnBnClickedParameterSelect, kTxRxComboId, rfTxRx, 2},
    {"bt-ble", kBtBleButtonId, &Dlg::OnBnClickedParameterSelect, kBtBleComboId, rfBtBle, 3},
    {"carrier-data", kCarrierDataButtonId, &Dlg::OnBnClickedParameterSelect, kCarrierDataComboId, rfCarrierData, 4},
    {"data-length", kDataLengthButtonId, &Dlg::OnBnClickedParameterSelect, kDataLengthComboId, rfDataLength, 5},
    {"freq-hop-fix", kFreqHopFixButtonId, &Dlg::OnBnClickedParameterSelect, kFreqHopFixComboId, rfFreqHopOrFix, 6},
    {"freq-offset", kFreqOffsetButtonId, &Dlg::OnBnClickedButtonFreqoffset, kFreqOffsetEditId, kNoRfParameter, 7},
    {"power", kPowerButtonId, &Dlg::OnBnClickedButtonPower, kPowerComboId, rfPower, 8},
    {"set-frequency", kSetFrequencyButtonId, &Dlg::OnBnClickedButtonSetfrequency, kFrequency24gComboId},
}};

}  // namespace

std::span<const ControlRow> controlRows() { return kRows; }

const ControlRow* controlRowNamed(std::string_view name) {
    auto found = std::find_if(kRows.begin(), kRows.end(), [name](const ControlRow& row) { return row.name == name; });
    return found == kRows.end() ? nullptr : &*found;
}

const std::vector<RfRow>& fixedRfRows() {
    static const std::vector<RfRow> rows = [] {
        std::vector<RfRow> built;
        for (const ControlRow& row : kRows)
            if (row.availabilityFlag != kNoAvailabilityFlag) built.push_back({row.valueId, row.buttonId});
        return built;
    }();
    return rows;
}

int rfParameterComboId(int rfParameter) {
    for (const ControlRow& row : kRows)
        if (row.rfParameter == rfParameter && rfParameter != kNoRfParameter) return row.valueId;
    throw std::out_of_range("no combo box for that RF parameter");
}

}  // namespace tessorin
