#include "download/cpu_probe.h"

#include "base/not_examined.h"
#include "device/board_commands.h"

namespace tessorin::download {
namespace {

constexpr int kAttempts = 3;
constexpr uint8_t kCpuStoppedBit = 0x01;
constexpr uint16_t kUnwantedProgramCounter = 0x0214;

}  // namespace

int32_t boardHaltAndInspectCpu() {
    if (!boardWaitReady(kHandshakeParameter)) return 0;
    if (!boardHandshake(kHandshakeParameter)) return 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        notExamined(boardWriteRegisterByte(kCpuControlRegister, 0x01));  // a plain write, not a read-modify-write
        uint8_t pc[2] = {0, 0};
        notExamined(boardReadMemory(true, kProgramCounterRegister, pc, 2));
        uint8_t status = 0;
        notExamined(boardReadMemory(false, kCpuStatusRegister, &status, 1));
        const uint16_t programCounter = static_cast<uint16_t>(pc[0] | (pc[1] << 8));
        const bool stopped = (status & kCpuStoppedBit) != 0;

        notExamined(boardIndirectWrite(kProbeSetupValue, kProbeSetupTarget));
        const uint32_t v = boardIndirectRead(kProbeFlagTarget);
        const bool flagged = (v & kProbeFlagBit) != 0;
        uint32_t r = 0;
        if (flagged) {
            notExamined(boardIndirectWrite(kProbeSelectValue, kProbeSelectTarget));
            r = boardIndirectRead(kProbeFlaggedResultTarget);
        } else {
            r = boardIndirectRead(kProbeResultTarget);
        }
        if (stopped && programCounter != kUnwantedProgramCounter && (flagged || r == 0)) {
            return flagged ? static_cast<int32_t>(r) : 0;
        }
    }
    return 0;
}

void probeCpuBeforeDownload() {
    for (int i = 0; i < kCpuProbeRepeats; ++i) {
        if (boardHaltAndInspectCpu() > 0) return;
    }
}

}  // namespace tessorin::download
