#include "rftest/parameter_selection.h"

#include "base/numbers.h"
#include "config/test_config.h"
#include "report/handler_guard.h"
#include "report/unicode_exception.h"
#include "rftest/command_frame.h"
#include "rftest/rf_buttons.h"

namespace tessorin {

void sendParameterSelection(RfHost& host, int rfParameterIndex, int comboId, std::string_view label,
                            std::string_view qualifiedName) {
    const int selection = host.comboSelection(comboId);
    if (selection < 0) throw UnicodeException(host.messages()[msgSelectPowerType]);
    const TestConfig* configuration = host.configuration();
    if (!configuration) throw UnicodeException(host.messages()[msgChipTypeUnsupported]);
    const uint32_t address = parseNumber(configuration->chip().paramAddressText(rfParameterIndex));
    // An entry without a value (fewer values than texts in the INI file) ends in
    // the guard's failure report; nothing is sent.
    const uint32_t value = configuration->rfCombo(rfParameterIndex).numericValues().at(static_cast<size_t>(selection));
    sendByteCommand(host, address, value, label, qualifiedName);
}

void pressParameterSelect(RfHost& host, int rowIndex, int comboId) {
    if (rowIndex < 0 || rowIndex >= static_cast<int>(kRfParameterRows.size())) return;
    const RfParameterRow& row = kRfParameterRows[static_cast<size_t>(rowIndex)];
    runGuarded(host.pane(), host.messages(), row.qualifiedName,
               [&] { sendParameterSelection(host, row.index, comboId, row.label, row.qualifiedName); });
}

}  // namespace tessorin
