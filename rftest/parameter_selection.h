#pragma once
// The seven SELECT rows: the chosen entry's value into the row's chip register.
#include <string_view>

#include "rftest/rf_host.h"

namespace tessorin {

// The row's address is read from the INI file again at every press, so an edit
// of the file since the load takes effect without reloading.
void sendParameterSelection(RfHost& host, int rfParameterIndex, int comboId, std::string_view label,
                            std::string_view qualifiedName);

}  // namespace tessorin
