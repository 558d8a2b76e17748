#pragma once
// The frequency-offset writes, built from the chip's two text templates
// ("address value", where {%02x} or {%02d} stands for the offset).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/message_table.h"

namespace tessorin {

// The template with its placeholder filled, cut at spaces.
std::vector<std::string> buildDriftCommand(int32_t offset, std::string_view templateText);

// Raises UnicodeException naming the chip key and its template when the command
// has no value token, or a value of more than eight characters (more bytes than
// a 32-bit value holds).
void checkDriftCommand(const MessageTable& messages, std::string_view keyName, std::string_view templateText,
                       const std::vector<std::string>& tokens);

// "cmd:[e %x %s]\n" and one write of (length + 1) / 2 bytes of the value. False
// when the write did not go out. The tokens must have passed checkDriftCommand.
bool sendDriftCommand(const std::vector<std::string>& tokens);

}  // namespace tessorin
