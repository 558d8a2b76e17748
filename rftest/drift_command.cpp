#include "rftest/drift_command.h"

#include "base/format.h"
#include "base/numbers.h"
#include "base/text.h"
#include "config/value_lists.h"
#include "device/board_commands.h"
#include "report/log.h"
#include "report/unicode_exception.h"
#include "rftest/command_frame.h"
#include "rftest/rf_messages.h"

namespace tessorin {
namespace {

constexpr std::string_view kHexPlaceholder = "{%02x}";
constexpr std::string_view kDecimalPlaceholder = "{%02d}";
constexpr size_t kMaxValueDigits = 8;

}  // namespace

std::vector<std::string> buildDriftCommand(int32_t offset, std::string_view templateText) {
    std::string command(templateText);
    if (command.find(kHexPlaceholder) != std::string::npos)
        command = replaceAll(command, kHexPlaceholder, formatText("%02x", {offset}));
    else if (command.find(kDecimalPlaceholder) != std::string::npos)
        command = replaceAll(command, kDecimalPlaceholder, formatText("%02d", {offset}));
    return splitList(command, ' ');
}

void checkDriftCommand(const MessageTable& messages, std::string_view keyName, std::string_view templateText,
                       const std::vector<std::string>& tokens) {
    if (tokens.size() >= 2 && tokens[1].size() <= kMaxValueDigits) return;
    throw UnicodeException(badDriftCommandText(messages, keyName, templateText));
}

bool sendDriftCommand(const std::vector<std::string>& tokens) {
    const int32_t address = leadingInteger(tokens.at(0), 16);
    const std::string& valueText = tokens.at(1);
    writeLog(formatText("cmd:[e %x %s]\n", {address, valueText}));
    const auto count = static_cast<int32_t>((valueText.size() + 1) / 2);
    const uint32_t value = parseNumber(valueText);
    const std::array<uint8_t, 4> bytes = littleEndianBytes(value);
    return boardWriteMemory(true, bytes.data(), address, count);
}

}  // namespace tessorin
