#include "base/format.h"
#include "report/handler_guard.h"
#include "rftest/rf_buttons.h"

namespace tessorin {
namespace {

constexpr const char* kQualifiedName = "CBrevoxDownloadToolDlg::OnBnClickedButtonSetfrequency";
constexpr int kChipTypeCount = 6;
constexpr int kChannelCount = 80;
constexpr int kLastStoredChannel = 78;

void checkFrequencyChoice(RfHost& host, int chipTypeComboId, int channelComboId) {
    const int chipType = host.comboSelection(chipTypeComboId);
    if (chipType < 0 || chipType >= kChipTypeCount) {
        host.pane().appendLogPane(host.messages()[msgSelectChipType]);
        return;
    }
    const int channel = host.comboSelection(channelComboId);
    if (channel < 0 || channel >= kChannelCount) {
        host.pane().appendLogPane(host.messages()[msgSelectFrequency]);
        return;
    }
    // The two channel digits are kept for the operator's record; no transport for this row exists.
    if (channel <= kLastStoredChannel) host.commandText() = formatText("%02x", {channel + 1});
    host.pane().appendLogPane(host.messages()[msgSetFrequencyOk]);
}

}  // namespace

void pressSetFrequency(RfHost& host, int chipTypeComboId, int channelComboId) {
    runGuarded(host.pane(), host.messages(), kQualifiedName,
               [&] { checkFrequencyChoice(host, chipTypeComboId, channelComboId); });
}

}  // namespace tessorin
