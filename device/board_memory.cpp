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

uint8_t withAddressMode(uint8_t code, bool autoIncrement) { return autoIncrement ? code : code | kFixedAddressBit; }

uint8_t firstReadCode(bool autoIncrement, int32_t address) {
    if (address >= kAbove24BitStart) return kReadAbove24BitCode;
    if (address >= k24BitStart) return kRead24BitCode;
    if (address >= kSecond64KStart) return kReadSecond64KCode;
    return withAddressMode(kRead16BitCode, autoIncrement);
}

// Bytes 3-4 carry address bits 0-15, byte 5 bits 16-23 in the 24-bit ranges;
// bits 24-31 are never sent. Returns where the data of a write starts.
int putAddress(DevicePacket& packet, int32_t address) {
    const auto bits = static_cast<uint32_t>(address);
    packet[3] = static_cast<uint8_t>(bits);
    packet[4] = static_cast<uint8_t>(bits >> 8);
    if (address < k24BitStart) return 5;
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
            packet[1] = withAddressMode(kReadContinuationCode, autoIncrement);
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

bool boardWriteMemory(bool autoIncrement, const uint8_t* source, int32_t address, int32_t length,
                      ProgressSink* progress) {
    DevicePacket packet;
    for (int32_t offset = 0; offset < length;) {
        int dataStart = 3;
        int32_t capacity = kContinuationWriteChunk;
        if (offset == 0) {
            capacity = kFirstWriteChunk;
            if (address >= k24BitStart) {
                packet[1] = kWrite24BitCode;
            } else if (address >= kSecond64KStart) {
                packet[1] = kWriteSecond64KCode;
            } else {
                packet[1] = withAddressMode(kWrite16BitCode, autoIncrement);
            }
            dataStart = putAddress(packet, address);
        } else {
            packet[1] = withAddressMode(kWriteContinuationCode, autoIncrement);
        }
        const int32_t chunk = std::min(capacity, length - offset);
        packet[2] = static_cast<uint8_t>(chunk);
        std::memcpy(&packet.bytes[static_cast<std::size_t>(dataStart)], source + offset, static_cast<std::size_t>(chunk));
        // Writes are never answered: no read follows.
        if (!writePacket(packet)) return false;
        offset += chunk;
        if (progress) progress->progress(static_cast<uint64_t>(offset), static_cast<uint64_t>(length));
    }
    return true;
}

}  // namespace tessorin
