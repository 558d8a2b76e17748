#include <cstddef>
#include <algorithm>
#include <cstring>

#include "device/board_commands.h"
#include "device/hid_link.h"
#include "device/memory_read.h"

namespace tessorin {
namespace {

constexpr int32_t kReadChunk = 63;
constexpr int32_t kFirstWriteChunk = 58;
constexpr int32_t kContinuationWriteChunk = 61;

constexpr int32_t kRange16Bit = 0x10000;
constexpr int32_t kRange24Bit = 0x20000;
constexpr int32_t kRangeAbove24Bit = 0x1000000;

constexpr uint8_t kReadContinuation = 0x10;
constexpr uint8_t kWriteContinuation = 0x12;
constexpr uint8_t kRead16Bit = 0x14;
constexpr uint8_t kWrite16Bit = 0x16;
constexpr uint8_t kReadSecond64K = 0x1D;
constexpr uint8_t kWriteSecond64K = 0x1E;
constexpr uint8_t kRead24Bit = 0x24;
constexpr uint8_t kWrite24Bit = 0x25;
constexpr uint8_t kReadAbove24Bit = 0x26;

// Bit 0 of the codes that carry it: every byte at the same address.
uint8_t withAddressMode(uint8_t code, bool autoIncrement) { return autoIncrement ? code : code | 1; }

uint8_t firstReadCode(bool autoIncrement, int32_t address) {
    if (address >= kRangeAbove24Bit) return kReadAbove24Bit;
    if (address >= kRange24Bit) return kRead24Bit;
    if (address >= kRange16Bit) return kReadSecond64K;
    return withAddressMode(kRead16Bit, autoIncrement);
}

// Bytes 3-4 carry address bits 0-15, byte 5 bits 16-23 in the 24-bit ranges;
// bits 24-31 are never sent. Returns where the data of a write starts.
int putAddress(DevicePacket& packet, int32_t address) {
    const auto bits = static_cast<uint32_t>(address);
    packet[3] = static_cast<uint8_t>(bits);
    packet[4] = static_cast<uint8_t>(bits >> 8);
    if (address < kRange24Bit) return 5;
    packet[5] = static_cast<uint8_t>(bits >> 16);
    return 6;
}

}  // namespace

MemoryReadOutcome readMemoryWithOutcome(bool autoIncrement, int32_t address, uint8_t* destination, int32_t length) {
    MemoryReadOutcome outcome;
    DevicePacket packet;
    for (int32_t offset = 0; offset < length;) {
        const int32_t chunk = std::min(kReadChunk, length - offset);
        packet[2] = static_cast<uint8_t>(chunk);
        if (offset == 0) {
            packet[1] = firstReadCode(autoIncrement, address);
            putAddress(packet, address);
        } else {
            // The board goes on where the previous chunk ended.
            packet[1] = withAddressMode(kReadContinuation, autoIncrement);
        }
        if (!writePacket(packet)) {
            outcome.sent = false;
            outcome.replied = false;
            return outcome;
        }
        // A reply that does not come leaves zeros, and zeros are what the caller gets.
        if (!readPacket(packet)) outcome.replied = false;
        std::memcpy(destination + offset, &packet.bytes[1], static_cast<std::size_t>(chunk));
        offset += chunk;
    }
    return outcome;
}

bool boardReadMemory(bool autoIncrement, int32_t address, uint8_t* destination, int32_t length) {
    return readMemoryWithOutcome(autoIncrement, address, destination, length).sent;
}

bool boardWriteMemory(bool autoIncrement, const uint8_t* source, int32_t address, int32_t length) {
    DevicePacket packet;
    for (int32_t offset = 0; offset < length;) {
        int dataStart = 3;
        int32_t capacity = kContinuationWriteChunk;
        if (offset == 0) {
            capacity = kFirstWriteChunk;
            if (address >= kRange24Bit) {
                packet[1] = kWrite24Bit;
            } else if (address >= kRange16Bit) {
                packet[1] = kWriteSecond64K;
            } else {
                packet[1] = withAddressMode(kWrite16Bit, autoIncrement);
            }
            dataStart = putAddress(packet, address);
        } else {
            packet[1] = withAddressMode(kWriteContinuation, autoIncrement);
        }
        const int32_t chunk = std::min(capacity, length - offset);
        packet[2] = static_cast<uint8_t>(chunk);
        std::memcpy(&packet.bytes[static_cast<std::size_t>(dataStart)], source + offset, static_cast<std::size_t>(chunk));
        // Writes are never answered: no read follows.
        if (!writePacket(packet)) return false;
        offset += chunk;
    }
    return true;
}

}  // namespace tessorin
