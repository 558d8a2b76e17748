#include "base/format.h"
#include "report/handler_guard.h"
#include "rftest/rf_buttons.h"

namespace tessorin {
namespace {

constexpr const char* kQualifiedName = "CBrevoxDownloadToolDlg::OnBnClickedButtonSetfrequency";
constexpr int kChipTypeCount = 6;
constexpr int kChannelCount = 80;
constexpr int kLastStoredChannel = 78;

void checkFrequencyChoice(RfHost& host) {
    const int chipType = host.comboSelection(kChipTypeComboId);
    if (chipType < 0 || chipType >= kChipTypeCount) {
        host.pane().appendLogPane(host.messages()[msgSelectChipType]);
        return;
    }
    const int channel = host.comboSelection(kFrequency24gComboId);
    if (channel < 0 || channel >= kChannelCount) {
        host.pane().appendLogPane(host.messages()[msgSelectFrequency]);
        return;
    }
    // The two channel digits are kept for the operator's record; no transport for this row exists.
    if (channel <= kLastStoredChannel) host.commandText() = formatText("%02x", {channel + 1});
    host.pane().appendLogPane(host.messages()[msgSetFrequencyOk]);
}

}  // namespace

void pressSetFrequency(RfHost& host) {
    runGuarded(host.pane(), host.messages(), kQualifiedName, [&] { checkFrequencyChoice(host); });
}

}  // namespace tessorin
