#include <array>

#include "base/format.h"
#include "base/not_examined.h"
#include "device/board_commands.h"
#include "device/chip_families.h"
#include "device/chip_id_cache.h"
#include "device/memory_read.h"
#include "report/log.h"

namespace tessorin {
namespace {

const ChipFamily& currentFamily() { return chipFamilyOf(boardReadChipId()); }

// A register read whose request failed or whose reply never came reads as zero.
uint8_t readRegisterByte(int32_t address) {
    uint8_t value = 0;
    notExamined(boardReadMemory(false, address, &value, 1));
    return value;
}

void putLittleEndian(uint8_t* bytes, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t littleEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

constexpr int kChipIdAttempts = 2;  // one lost reply must not cost a download

std::optional<uint32_t> readChipIdOnce() {
    if (std::optional<uint32_t> cached = cachedChipId()) return cached;
    std::array<uint8_t, 2> word{};
    // Only a word that really came from the chip is kept for the life of the
    // process; a missing reply's zeros would otherwise stand for the chip for good.
    if (!readMemoryWithOutcome(true, kChipIdRegister, word.data(), 2).replied) return std::nullopt;
    const uint32_t chipId = littleEndian(word.data(), 2);
    rememberChipId(chipId);
    return chipId;
}

}  // namespace

uint32_t boardReadChipId() { return readChipIdOnce().value_or(0); }

std::optional<uint32_t> boardIdentifyChip() {
    for (int attempt = 0; attempt < kChipIdAttempts; ++attempt)
        if (std::optional<uint32_t> chipId = readChipIdOnce()) return chipId;
    return std::nullopt;
}

bool chipInKnownList() { return isKnownChip(boardReadChipId()); }

bool boardSetCpuControl(uint8_t mask) {
    const uint8_t control = readRegisterByte(kCpuControlRegister) | mask;
    return boardWriteRegisterByte(kCpuControlRegister, control);
}

void boardReportCpuState() {
    std::array<uint8_t, 2> counter{};
    notExamined(boardReadMemory(true, kProgramCounterRegister, counter.data(), 2));
    const uint8_t status = readRegisterByte(kCpuStatusRegister);
    writeTrace(formatText("CPU %s, PC %x\n", {(status & 1) ? "Stopped" : "Running", littleEndian(counter.data(), 2)}));
}

bool boardIndirectWrite(uint32_t value, uint16_t target) {
    std::array<uint8_t, 6> window{};
    putLittleEndian(window.data(), value, 4);
    putLittleEndian(window.data() + 4, target, 2);
    return boardWriteMemory(true, window.data(), currentFamily().indirectWindow, 6);
}

uint32_t boardIndirectRead(uint16_t target) {
    std::array<uint8_t, 2> address{};
    putLittleEndian(address.data(), target, 2);
    notExamined(boardWriteMemory(true, address.data(), currentFamily().indirectReadAddress, 2));
    std::array<uint8_t, 4> result{};
    notExamined(boardReadMemory(true, currentFamily().indirectResult, result.data(), 4));
    return littleEndian(result.data(), 4);
}

bool boardSetReg8010() {
    notExamined(boardWriteRegisterByte(kReg8010, 0x01));
    return true;
}

bool boardWriteRegisterByte(int32_t address, uint8_t value) { return boardWriteMemory(true, &value, address, 1); }

}  // namespace tessorin
