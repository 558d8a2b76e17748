#pragma once
// The RF button handlers of the main window. Each runs its whole body under the
// handler guard with its qualified name, so nothing escapes to the window.
#include "rftest/rf_host.h"

namespace tessorin {

// The window says which of its controls each button reads.

// A SELECT button of one of the seven rows of kRfParameterRows (0..6), its choice in comboId.
void pressParameterSelect(RfHost& host, int rowIndex, int comboId);
// Frequency Offset SET: the offset typed into offsetEditId.
void pressFreqOffsetSet(RfHost& host, int offsetEditId);
// Power SELECT: the level chosen in powerComboId.
void pressPowerSelect(RfHost& host, int powerComboId);
// The button of configured-panel row 0, 1, ...; rows from kRoutedConfiguredRows on do nothing.
void pressConfiguredButton(RfHost& host, int row);
// 2.4G frequency SET: the chip type and the channel chosen in the two combo boxes.
void pressSetFrequency(RfHost& host, int chipTypeComboId, int channelComboId);

}  // namespace tessorin
