#pragma once
// The pre-download probe of the chip's CPU. Its outcome never stops a download.
#include <cstdint>

namespace tessorin::download {

constexpr int kCpuProbeRepeats = 30;

// Up to three attempts at holding the CPU and reading its state through the
// indirect window. Greater than 0 means the probe need not be repeated.
int32_t boardHaltAndInspectCpu();

// The probe repeated up to kCpuProbeRepeats times, stopping at the first result above 0.
void probeCpuBeforeDownload();

}  // namespace tessorin::download
