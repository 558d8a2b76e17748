#pragma once
// Operator texts of the RF commands that the shared message table has no entry
// for: a register write that never reached the board, and INI values a command
// cannot be built from. Each in the language of the table.
#include <string>
#include <string_view>

#include "report/message_table.h"

namespace tessorin {

std::string registerWriteFailedText(const MessageTable& messages, std::string_view label);
// The filled drift template of the named chip key lacks a value or has one longer than eight digits.
std::string badDriftCommandText(const MessageTable& messages, std::string_view keyName, std::string_view command);
// chip_power_value has no entry for this power level of power register registerIndex.
std::string missingPowerValueText(const MessageTable& messages, int level, int registerIndex);

}  // namespace tessorin
