#include <array>

#include "base/format.h"
#include "device/board_commands.h"
#include "device/chip_id_cache.h"
#include "device/memory_read.h"
#include "report/log.h"

namespace tessorin {
namespace {

constexpr std::array<uint32_t, 10> kKnownChips = {0x3C05, 0x3C06, 0x3C07, 0x3C09, 0x5B21,
                                                  0x5B22, 0x7E40, 0x6D10, 0x6D11, 0x3C0A};

bool hasSecondWindowLayout(uint32_t chipId) { return chipId == 0x5B21 || chipId == 0x5B22; }

int32_t indirectWindowAddress() { return hasSecondWindowLayout(boardReadChipId()) ? 0x8050 : 0x8026; }

int32_t indirectReadAddress() { return hasSecondWindowLayout(boardReadChipId()) ? 0x8054 : 0x802A; }

int32_t indirectResultAddress() {
    const uint32_t chipId = boardReadChipId();
    if (hasSecondWindowLayout(chipId)) return 0x8114;
    if (chipId == 0x3C06 || chipId == 0x3C07 || chipId == 0x3C09) return 0x835E;
    return 0x815C;
}

// A register read whose request failed or whose reply never came reads as zero.
uint8_t readRegisterByte(int32_t address) {
    uint8_t value = 0;
    boardReadMemory(false, address, &value, 1);
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

}  // namespace

uint32_t boardReadChipId() {
    if (std::optional<uint32_t> cached = cachedChipId()) return *cached;
    std::array<uint8_t, 2> word{};
    // Only a word that really came from the chip is kept for the life of the
    // process; a missing reply's zeros would otherwise stand for the chip for good.
    if (!readMemoryWithOutcome(true, kChipIdRegister, word.data(), 2).replied) return 0;
    const uint32_t chipId = littleEndian(word.data(), 2);
    rememberChipId(chipId);
    return chipId;
}

bool chipInKnownList() {
    const uint32_t chipId = boardReadChipId();
    for (uint32_t known : kKnownChips) {
        if (known == chipId) return true;
    }
    return false;
}

bool boardSetCpuControl(uint8_t mask) {
    const uint8_t control = readRegisterByte(kCpuControlRegister) | mask;
    return boardWriteRegisterByte(kCpuControlRegister, control);
}

void boardReportCpuState() {
    std::array<uint8_t, 2> counter{};
    boardReadMemory(true, kProgramCounterRegister, counter.data(), 2);
    const uint8_t status = readRegisterByte(kCpuStatusRegister);
    writeTrace(formatText("CPU %s, PC %x\n", {(status & 1) ? "Stopped" : "Running", littleEndian(counter.data(), 2)}));
}

bool boardIndirectWrite(uint32_t value, uint16_t target) {
    std::array<uint8_t, 6> window{};
    putLittleEndian(window.data(), value, 4);
    putLittleEndian(window.data() + 4, target, 2);
    return boardWriteMemory(true, window.data(), indirectWindowAddress(), 6);
}

uint32_t boardIndirectRead(uint16_t target) {
    std::array<uint8_t, 2> address{};
    putLittleEndian(address.data(), target, 2);
    boardWriteMemory(true, address.data(), indirectReadAddress(), 2);
    std::array<uint8_t, 4> result{};
    boardReadMemory(true, indirectResultAddress(), result.data(), 4);
    return littleEndian(result.data(), 4);
}

bool boardSetReg8010() {
    boardWriteRegisterByte(kReg8010, 0x01);
    return true;
}

bool boardWriteRegisterByte(int32_t address, uint8_t value) { return boardWriteMemory(true, &value, address, 1); }

}  // namespace tessorin
