#include "rftest/command_frame.h"

#include "base/format.h"
#include "base/not_examined.h"
#include "base/numbers.h"
#include "config/test_config.h"
#include "device/board_commands.h"
#include "report/handler_guard.h"
#include "report/unicode_exception.h"
#include "rftest/rf_messages.h"

namespace tessorin {

std::array<uint8_t, 4> littleEndianBytes(uint32_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
            static_cast<uint8_t>(value >> 24)};
}

bool beginBoardCommand(RfHost& host, std::string_view qualifiedName) {
    host.banner(qualifiedName);
    if (!host.downloadBusy()) return true;
    host.pane().appendLogPane(host.messages()[msgBusyDownloading]);
    return false;
}

void runBoardCommand(RfHost& host, std::string_view qualifiedName, const std::function<void()>& command) {
    runGuarded(host.pane(), host.messages(), qualifiedName, [&] {
        if (beginBoardCommand(host, qualifiedName)) command();
    });
}

const ChipDef& chipSupporting(RfHost& host, bool (ChipDef::*supports)() const) {
    const TestConfig* configuration = host.configuration();
    if (!configuration || !(configuration->chip().*supports)())
        throw UnicodeException(host.messages()[msgChipTypeUnsupported]);
    return configuration->chip();
}

void requireWriteSent(RfHost& host, bool sent, std::string_view label) {
    if (!sent) throw UnicodeException(registerWriteFailedText(host.messages(), label));
}

void sendByteCommand(RfHost& host, uint32_t address, uint32_t value, std::string_view label,
                     std::string_view qualifiedName) {
    if (!beginBoardCommand(host, qualifiedName)) return;
    const auto frame = openBoardForCommand(host.messages());
    writeLog(formatText("cmd:[e %04x %x]\n", {address, value}));
    const std::array<uint8_t, 4> bytes = littleEndianBytes(value);
    const auto chipAddress = static_cast<int32_t>(address);
    requireWriteSent(host, boardWriteMemory(true, bytes.data(), chipAddress, 1), label);
    // The chip's answer is not checked; the read-back only completes the exchange.
    uint8_t readBack = 0;
    notExamined(boardReadMemory(true, chipAddress, &readBack, 1));
    closeBoardAfterCommand(host.pane(), host.messages(), label);
}

void sendHexTextCommand(RfHost& host, uint32_t address, std::string_view reversedText, std::string_view label,
                        std::string_view qualifiedName) {
    if (!beginBoardCommand(host, qualifiedName)) return;
    const auto frame = openBoardForCommand(host.messages());
    writeLog(formatText("cmd:[e %04x %s]\n", {address, reversedText}));
    requireWriteSent(host, writeHexWords(static_cast<int32_t>(address), reverseHexPairs(reversedText)), label);
    closeBoardAfterCommand(host.pane(), host.messages(), label);
}

}  // namespace tessorin
