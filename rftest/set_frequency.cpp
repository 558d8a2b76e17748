#include "rftest/set_frequency.h"

#include "app/handler_guard.h"
#include "base/format.h"
#include "rftest/rf_buttons.h"

namespace tessorin {
namespace {

constexpr const char* kQualifiedName = "CBrevoxDownloadToolDlg::OnBnClickedButtonSetfrequency";
constexpr int kChipTypeCount = 6;
constexpr int kChannelCount = 80;
constexpr int kLastStoredChannel = 78;

void checkFrequencyChoice(RfHost& host) {
    const int chipType = host.controls().comboGetCurSel(kChipTypeComboId);
    if (chipType < 0 || chipType >= kChipTypeCount) {
        host.pane().appendLogPane(host.messages()[msgSelectChipType]);
        return;
    }
    const int channel = host.controls().comboGetCurSel(kFrequency24gComboId);
    if (channel < 0 || channel >= kChannelCount) {
        host.pane().appendLogPane(host.messages()[msgSelectFrequency]);
        return;
    }
    if (channel <= kLastStoredChannel) host.commandText() = setFrequencyCommandText(chipType, channel);
    host.pane().appendLogPane(host.messages()[msgSetFrequencyOk]);
}

}  // namespace

std::string setFrequencyCommandText(int chipType, int channel) {
    return formatText("%s%02x", {chipType <= 2 ? "e_interface 4bf4 " : "e_interface 4db7 ", channel + 1});
}

void pressSetFrequency(RfHost& host) {
    runGuarded(host.pane(), host.messages(), kQualifiedName, [&] { checkFrequencyChoice(host); });
}

}  // namespace tessorin
