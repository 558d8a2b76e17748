#pragma once
// The download board's command set: memory and register access in every
// address range, handshake, readiness, chip id, CPU control, and the bracket
// around every operator-started command.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/progress_sink.h"
#include "device/board_lock.h"
#include "device/board_protocol.h"
#include "report/log.h"
#include "report/message_table.h"

namespace tessorin {

[[nodiscard]] bool boardHandshake(uint16_t parameter);
[[nodiscard]] bool boardWaitReady(uint16_t parameter);
// False only when a request report failed to go out; a missing reply reads as zeros.
[[nodiscard]] bool boardReadMemory(bool autoIncrement, int32_t address, uint8_t* destination, int32_t length);
// Reports to progress, when given, the bytes sent of length after each report.
[[nodiscard]] bool boardWriteMemory(bool autoIncrement, const uint8_t* source, int32_t address, int32_t length,
                                    ProgressSink* progress = nullptr);

// The identification word, read once per process and cached for good; 0 while no reply came.
[[nodiscard]] uint32_t boardReadChipId();
// The identification word, asked for a second time when the first reply is lost;
// nullopt when neither came. What chooses a family's registers must use this.
[[nodiscard]] std::optional<uint32_t> boardIdentifyChip();
// True when the chip belongs to one of the families of chip_families.h.
[[nodiscard]] bool chipInKnownList();
[[nodiscard]] bool boardSetCpuControl(uint8_t mask);
void boardReportCpuState();
[[nodiscard]] bool boardIndirectWrite(uint32_t value, uint16_t target);
[[nodiscard]] uint32_t boardIndirectRead(uint16_t target);
[[nodiscard]] bool boardSetReg8010();
// One byte at a register with code 0x16 (or its range's code); false when it did not go out.
[[nodiscard]] bool boardWriteRegisterByte(int32_t address, uint8_t value);

// The text's digit pairs as bytes in text order, one 4-byte write per eight
// digits, each group logged as "reverse:%s\n". Raises std::invalid_argument when a
// reversed group has no hexadecimal digit at its start (earlier groups are written).
// False when a word's write failed to go out.
[[nodiscard]] bool writeHexWords(int32_t startAddress, std::string_view hexText);

// Closes a link still open, takes the board's lock for the command frame
// (none for a board no other process reaches), opens the board and handshakes.
// Raises UnicodeException with msgOpenUsbFail, msgBoardNotLinked (link left
// open) or, before anything is opened, the board's holder when another process
// drives it. The frame lasts while the returned lock is kept.
[[nodiscard]] std::unique_ptr<BoardLock> openBoardForCommand(const MessageTable& messages);
// Closes the link, appends "set [" label "] success!\n" to the pane, logs msgUsbCloseOk.
void closeBoardAfterCommand(LogPane& pane, const MessageTable& messages, std::string_view label);

}  // namespace tessorin
