#pragma once
// The download board's protocol in one place: how the board is found, the
// request codes and reply codes of its 64-byte reports, and the chip registers
// at fixed addresses. Registers that differ by chip family are in chip_families.h.
#include <cstdint>

namespace tessorin {

// Finding the board.
constexpr uint16_t kBoardVendorId = 0x5D17;
constexpr uint16_t kBoardProductId = 0x4A02;
constexpr uint8_t kRequestReportId = 0xF2;  // byte 0 of every request
constexpr int kTransferTimeoutMs = 2000;    // one report, either way

// Request codes (byte 1). Bit 0 set on the codes that allow it: every byte at one address.
constexpr uint8_t kReadContinuationCode = 0x10;   // read on from where the last transfer ended
constexpr uint8_t kWriteContinuationCode = 0x12;  // write on from where the last transfer ended
constexpr uint8_t kRead16BitCode = 0x14;          // read below 0x10000; address in bytes 3-4
constexpr uint8_t kWrite16BitCode = 0x16;         // write below 0x10000; address in bytes 3-4, data from 5
constexpr uint8_t kHandshakeCode = 0x18;          // bytes 3-4: the parameter; reply code in byte 1
constexpr uint8_t kReadyPollCode = 0x1C;          // bytes 3-4: the parameter; reply code in byte 1
constexpr uint8_t kReadSecond64KCode = 0x1D;      // read 0x10000-0x1FFFF; address bits 0-15 in bytes 3-4
constexpr uint8_t kWriteSecond64KCode = 0x1E;     // write 0x10000-0x1FFFF; data from byte 5
constexpr uint8_t kRead24BitCode = 0x24;          // read 0x20000-0xFFFFFF; bits 16-23 in byte 5
constexpr uint8_t kWrite24BitCode = 0x25;         // write from 0x20000; data from byte 6
constexpr uint8_t kReadAbove24BitCode = 0x26;     // read from 0x1000000; bits 24-31 are not sent
constexpr uint8_t kFixedAddressBit = 0x01;        // added to 0x10, 0x12, 0x14, 0x16

// Where each range of codes starts.
constexpr int32_t kSecond64KStart = 0x10000;
constexpr int32_t k24BitStart = 0x20000;
constexpr int32_t kAbove24BitStart = 0x1000000;

// Handshake and readiness.
constexpr uint16_t kHandshakeParameter = 0x0080;  // the one parameter the host sends
constexpr uint8_t kChipLinkedReply = 2;           // handshake: a chip answers behind the board
constexpr uint8_t kReadyReplyMask = 0xFB;         // readiness: reply 1 or 5, bit 2 not looked at
constexpr uint8_t kReadyReply = 1;

// Chip registers at fixed addresses.
constexpr int32_t kChipIdRegister = 0x8000;          // 2 bytes: the identification word
constexpr int32_t kCodeRunRegister = 0x8003;         // written 0x01 once a ROM image is loaded
constexpr int32_t kProgramCounterRegister = 0x800E;  // 2 bytes
constexpr int32_t kReg8010 = 0x8010;                 // written 0x01 before a download
constexpr int32_t kCodeLoadAddressLow = 0x8022;      // with 0x8023 and 0x8024: 00 80 00 arms the port
constexpr int32_t kCodeLoadAddressMid = 0x8023;
constexpr int32_t kCodeLoadAddressHigh = 0x8024;
constexpr int32_t kCodeLoadPort = 0x8025;            // the image streams into this one address
constexpr int32_t kEepromStatusRegister = 0x812C;    // the EEPROM engine's done bit
constexpr int32_t kCpuControlRegister = 0x8203;      // bit 0 holds the CPU, bit 1 marks the code loaded
constexpr int32_t kCpuStatusRegister = 0x8204;       // bit 0: CPU stopped

// Indirect registers, reached through the family's indirect window: the CPU probe's.
constexpr uint16_t kProbeSetupTarget = 0xEDF3;  // written kProbeSetupValue first
constexpr uint32_t kProbeSetupValue = 0xA05F0003;
constexpr uint16_t kProbeFlagTarget = 0xEDF2;  // bit 17 chooses which result is read
constexpr uint32_t kProbeFlagBit = 0x20000;
constexpr uint16_t kProbeSelectTarget = 0xEDF5;  // written kProbeSelectValue when the flag is set
constexpr uint32_t kProbeSelectValue = 0x0000000F;
constexpr uint16_t kProbeFlaggedResultTarget = 0xEDF8;  // the result when the flag is set
constexpr uint16_t kProbeResultTarget = 0x101C;         // otherwise; 0 when the CPU is held as wanted

// The serial EEPROM behind the chip.
constexpr uint8_t kEepromDeviceAddress = 0xA0;  // first byte of every transfer record

}  // namespace tessorin
