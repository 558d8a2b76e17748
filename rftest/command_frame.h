#pragma once
// The frame every RF board command runs in: banner, refusal while a download
// owns the board, open, the command's own writes, close with the success line.
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "rftest/rf_host.h"

namespace tessorin {

class ChipDef;

// The value's bytes as they lie in chip memory.
std::array<uint8_t, 4> littleEndianBytes(uint32_t value);

// Banner to the log, separator to the pane. While a download runs it appends
// msgBusyDownloading and returns false: the command must not touch the board.
bool beginBoardCommand(RfHost& host, std::string_view qualifiedName);

// A button's whole body: under runGuarded with its handler's name, after
// beginBoardCommand, and not at all while a download runs.
void runBoardCommand(RfHost& host, std::string_view qualifiedName, const std::function<void()>& command);

// The loaded INI file's chip when supports says it has the command; raises
// UnicodeException with msgChipTypeUnsupported otherwise, and before any load.
const ChipDef& chipSupporting(RfHost& host, bool (ChipDef::*supports)() const);

// A write that did not go out must not end in the success line: raises
// UnicodeException with the failure text for the command's label.
void requireWriteSent(RfHost& host, bool sent, std::string_view label);

// "cmd:[e %04x %x]\n", the value's low byte written at the address, one byte read back.
void sendByteCommand(RfHost& host, uint32_t address, uint32_t value, std::string_view label,
                     std::string_view qualifiedName);

// "cmd:[e %04x %s]\n", then the pairs of reversedText in reverse order (the text
// as the operator chose it) written as 32-bit words from the address.
void sendHexTextCommand(RfHost& host, uint32_t address, std::string_view reversedText, std::string_view label,
                        std::string_view qualifiedName);

}  // namespace tessorin
