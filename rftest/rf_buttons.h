#pragma once
// The RF button handlers of the main window. Each runs its whole body under the
// handler guard with its qualified name, so nothing escapes to the window.
#include "rftest/rf_host.h"

namespace tessorin {

// A SELECT button of one of the seven rows of kRfParameterRows (0..6).
void pressParameterSelect(RfHost& host, int rowIndex);
// Frequency Offset SET (button 1038).
void pressFreqOffsetSet(RfHost& host);
// Power SELECT (button 1041).
void pressPowerSelect(RfHost& host);
// The button of configured-panel row 0, 1, ...; rows from kRoutedConfiguredRows on do nothing.
void pressConfiguredButton(RfHost& host, int row);
// 2.4G frequency SET (button 1016).
void pressSetFrequency(RfHost& host);

}  // namespace tessorin
