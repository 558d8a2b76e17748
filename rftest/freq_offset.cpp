// Frequency Offset SET: the typed offset, checked against the chip's range,
// sent through the pre and post drift templates inside one board link.
#include <algorithm>

#include "base/numbers.h"
#include "config/chip_def.h"
#include "device/board_commands.h"
#include "report/unicode_exception.h"
#include "rftest/command_frame.h"
#include "rftest/drift_command.h"
#include "rftest/rf_buttons.h"

namespace tessorin {
namespace {

constexpr const char* kQualifiedName = "CBrevoxDownloadToolDlg::OnBnClickedButtonFreqoffset";
constexpr const char* kLabel = "freq offset";

void setFrequencyOffset(RfHost& host, int offsetEditId) {
    const MessageTable& messages = host.messages();
    // The row is hidden until an INI file enables it; before any load there is no chip to ask.
    const ChipDef& chip = chipSupporting(host, &ChipDef::freqDriftSupported);

    std::string& offsetText = host.commandText();
    offsetText = host.controlText(offsetEditId);
    std::erase(offsetText, ' ');
    if (offsetText.empty()) throw UnicodeException(messages[msgEmptyString]);
    const int32_t offset = leadingInteger(offsetText, 16);
    if (offset < chip.freqDriftMin() || offset > chip.freqDriftMax())
        throw UnicodeException(messages[msgValueOutOfRange]);

    // Both commands are checked before the board is touched, so a bad post
    // template cannot leave the pre command applied on its own.
    const std::vector<std::string> pre = buildDriftCommand(offset, chip.freqDriftPre());
    checkDriftCommand(messages, ChipDef::keyName(ChipDef::Key::freqDriftPre), chip.freqDriftPre(), pre);
    const std::vector<std::string> post = buildDriftCommand(offset, chip.freqDriftPost());
    checkDriftCommand(messages, ChipDef::keyName(ChipDef::Key::freqDriftPost), chip.freqDriftPost(), post);

    const auto frame = openBoardForCommand(messages);
    requireWriteSent(host, sendDriftCommand(pre), kLabel);
    requireWriteSent(host, sendDriftCommand(post), kLabel);
    closeBoardAfterCommand(host.pane(), messages, kLabel);
}

}  // namespace

void pressFreqOffsetSet(RfHost& host, int offsetEditId) {
    runBoardCommand(host, kQualifiedName, [&] { setFrequencyOffset(host, offsetEditId); });
}

}  // namespace tessorin
