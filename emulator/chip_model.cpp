#include "emulator/chip_model.h"

namespace tessorin::emulator {

ChipModel::ChipModel(uint16_t chipId) : id_(chipId), family_(chipFamilyOf(chipId)) {
    poke(kChipIdRegister, static_cast<uint8_t>(chipId));
    poke(kChipIdRegister + 1, static_cast<uint8_t>(chipId >> 8));
}

std::vector<uint8_t> ChipModel::peek(uint32_t address, int count) const {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(peek(address + static_cast<uint32_t>(i)));
    return bytes;
}

void ChipModel::setProgramCounter(uint16_t counter) {
    poke(kProgramCounterRegister, static_cast<uint8_t>(counter));
    poke(kProgramCounterRegister + 1, static_cast<uint8_t>(counter >> 8));
}

uint32_t ChipModel::indirectRegister(uint16_t target) const {
    auto found = indirect_.find(target);
    return found == indirect_.end() ? 0 : found->second;
}

uint32_t ChipModel::littleEndian(uint32_t address, int count) const {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | peek(address + static_cast<uint32_t>(i));
    return value;
}

uint8_t ChipModel::read(uint32_t address) {
    const uint8_t value = peek(address);
    if (address == kEepromStatusRegister && eepromBusyReadsLeft_ > 0 && --eepromBusyReadsLeft_ == 0)
        setEepromDone(true);
    return value;
}

void ChipModel::write(uint32_t address, uint8_t value) {
    if (address == kCodeLoadPort) {
        writeFixed(address, &value, 1);
        return;
    }
    poke(address, value);
    if (address == kCpuControlRegister) poke(kCpuStatusRegister, (peek(kCpuStatusRegister) & 0xFE) | (value & 1));
    if (address >= family_.indirectWindow && address < family_.indirectWindow + 4) indirectValueWritten_ = true;
    if (address == family_.indirectTarget + 1) indirectTargetWritten();
    if (address == family_.eepromStartRegister && value == family_.eepromStartValue) startEepromTransfer();
}

// An image streams through the port by the hundred thousand bytes: take a
// report's bytes in one go.
void ChipModel::writeFixed(uint32_t address, const uint8_t* data, int count) {
    if (address != kCodeLoadPort) {
        for (int i = 0; i < count; ++i) write(address, data[i]);
        return;
    }
    if (codeLoadArmed()) {
        codeLoad_.insert(codeLoad_.end(), data, data + count);
    } else {
        codeLoadRejected_ += count;
    }
}

bool ChipModel::codeLoadArmed() const {
    return cpuHeld() && peek(kCodeLoadSetup) == 0x00 && peek(kCodeLoadSetup + 1) == 0x80 &&
           peek(kCodeLoadSetup + 2) == 0x00;
}

// The target's high byte completes a request: after a fresh value it is an
// indirect write, on its own it asks for the target's value in the result register.
void ChipModel::indirectTargetWritten() {
    const auto target = static_cast<uint16_t>(littleEndian(family_.indirectTarget, 2));
    if (indirectValueWritten_) {
        indirect_[target] = littleEndian(family_.indirectWindow, 4);
        indirectValueWritten_ = false;
        return;
    }
    const uint32_t value = indirectRegister(target);
    for (uint32_t i = 0; i < 4; ++i) poke(family_.indirectResult + i, static_cast<uint8_t>(value >> (8 * i)));
}

void ChipModel::startEepromTransfer() {
    setEepromDone(false);
    eepromBusyReadsLeft_ = 0;
    if (peek(family_.eepromModeRegister) != family_.eepromModeValue) {
        ++eepromRefusedStarts_;
        return;
    }
    ++eepromStarts_;
    const auto length = static_cast<int>(littleEndian(family_.eepromLengthRegister, 2));
    const uint32_t offset = littleEndian(family_.eepromOffsetRegister, 2);
    const std::vector<uint8_t> record = peek(family_.eepromStaging + offset, length);
    eeprom_.transfer(record.data(), length);
    if (eepromNeverDone_) return;
    if (eepromBusyReads_ > 0) {
        eepromBusyReadsLeft_ = eepromBusyReads_;
    } else {
        setEepromDone(true);
    }
}

void ChipModel::setEepromDone(bool done) {
    const uint8_t status = peek(kEepromStatusRegister);
    poke(kEepromStatusRegister, done ? status | family_.eepromDoneBit : status & ~family_.eepromDoneBit);
}

}  // namespace tessorin::emulator
