#pragma once
// The radio chip behind the board: memory over the whole address space and the
// registers whose behaviour the host relies on: identification word, program
// counter, CPU control and status, the indirect window, the code-load port and
// the EEPROM transfer engine of the chip's family.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "emulator/chip_family.h"
#include "emulator/serial_eeprom.h"
#include "emulator/sparse_memory.h"

namespace tessorin::emulator {

constexpr uint32_t kChipIdRegister = 0x8000;
constexpr uint32_t kProgramCounterRegister = 0x800E;
constexpr uint32_t kCpuControlRegister = 0x8203;
constexpr uint32_t kCpuStatusRegister = 0x8204;
constexpr uint32_t kCodeLoadSetup = 0x8022;  // 0x8022-0x8024: 0x00 0x80 0x00 arms the port
constexpr uint32_t kCodeLoadPort = 0x8025;

class ChipModel {
public:
    explicit ChipModel(uint16_t chipId);

    uint16_t id() const { return id_; }
    const ChipFamily& family() const { return family_; }

    // A byte as the board reads or writes it, with the registers' side effects.
    uint8_t read(uint32_t address);
    void write(uint32_t address, uint8_t value);
    // Bytes that all go to one address, as a fixed-address report carries them.
    void writeFixed(uint32_t address, const uint8_t* data, int count);

    // Plain memory for tests: no side effects.
    uint8_t peek(uint32_t address) const { return memory_.read(address); }
    std::vector<uint8_t> peek(uint32_t address, int count) const;
    void poke(uint32_t address, uint8_t value) { memory_.write(address, value); }
    void setProgramCounter(uint16_t counter);

    uint32_t indirectRegister(uint16_t target) const;
    void setIndirectRegister(uint16_t target, uint32_t value) { indirect_[target] = value; }

    // Bit 0 of the control register holds the CPU; the status bit 0 follows it.
    bool cpuHeld() const { return (peek(kCpuControlRegister) & 1) != 0; }

    // Every byte streamed into the code-load port while the CPU was held and the
    // port set up; bytes sent otherwise are only counted.
    const std::vector<uint8_t>& codeLoad() const { return codeLoad_; }
    int codeLoadRejected() const { return codeLoadRejected_; }
    void clearCodeLoad() { codeLoad_.clear(); }

    SerialEeprom& eeprom() { return eeprom_; }
    const SerialEeprom& eeprom() const { return eeprom_; }
    // Status reads that show the engine still busy after each start (0: done at once).
    void setEepromBusyReads(int reads) { eepromBusyReads_ = reads; }
    void setEepromNeverDone(bool neverDone) { eepromNeverDone_ = neverDone; }
    int eepromStarts() const { return eepromStarts_; }
    // Start values written while the mode register did not hold the family's mode.
    int eepromRefusedStarts() const { return eepromRefusedStarts_; }

private:
    uint32_t littleEndian(uint32_t address, int count) const;
    bool codeLoadArmed() const;
    void indirectTargetWritten();
    void startEepromTransfer();
    void setEepromDone(bool done);

    uint16_t id_;
    ChipFamily family_;
    SparseMemory memory_;
    std::unordered_map<uint16_t, uint32_t> indirect_;
    bool indirectValueWritten_ = false;
    std::vector<uint8_t> codeLoad_;
    int codeLoadRejected_ = 0;
    SerialEeprom eeprom_;
    int eepromBusyReads_ = 0;
    int eepromBusyReadsLeft_ = 0;
    bool eepromNeverDone_ = false;
    int eepromStarts_ = 0;
    int eepromRefusedStarts_ = 0;
};

}  // namespace tessorin::emulator
