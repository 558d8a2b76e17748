// The buttons of the configured panel: the chosen value to the control's
// register, one byte or, for a longer value, 32-bit words in text order.
#include "base/format.h"
#include "base/numbers.h"
#include "base/text.h"
#include "report/handler_guard.h"
#include "report/log.h"
#include "rftest/command_frame.h"
#include "rftest/rf_buttons.h"

namespace tessorin {
namespace {

constexpr const char* kQualifiedName = "CBrevoxDownloadToolDlg::OnClickDynamicButton";
constexpr size_t kOneByteDigits = 2;

void sendConfiguredValue(RfHost& host, int row) {
    const ExtControlList controls = host.configuredControls();
    const ExtControlDef& control = *controls.at(static_cast<size_t>(row));
    const int selection = host.comboSelection(control.comboControlId());
    if (selection < 0) {
        host.pane().appendLogPane(host.messages()[msgSelectDropdownFirst]);
        return;
    }
    const uint32_t address = parseNumber(control.addr());
    std::string valueText = control.combo().valueText(selection);
    if (valueText.size() % 2 != 0) valueText = "0" + valueText;  // insert(0, ...) trips a GCC 12 -Wrestrict false positive at -O2
    writeLog(formatText(host.messages()[msgCurrentChoice], {valueText}));
    if (valueText.size() <= kOneByteDigits) {
        sendByteCommand(host, address, parseNumberInBase(valueText, 16), control.button(), kQualifiedName);
        return;
    }
    valueText = replaceAll(replaceAll(valueText, "0x", ""), "0X", "");
    sendHexTextCommand(host, address, reverseHexPairs(valueText), control.button(), kQualifiedName);
}

}  // namespace

void pressConfiguredButton(RfHost& host, int row) {
    if (row < 0 || row >= kRoutedConfiguredRows) return;
    runGuarded(host.pane(), host.messages(), kQualifiedName, [&] { sendConfiguredValue(host, row); });
}

}  // namespace tessorin
