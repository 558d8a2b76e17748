// Power SELECT: the value text of the chosen level written as words to every power register.
#include "base/format.h"
#include "base/numbers.h"
#include "config/chip_def.h"
#include "device/board_commands.h"
#include "report/log.h"
#include "report/unicode_exception.h"
#include "rftest/command_frame.h"
#include "rftest/rf_buttons.h"
#include "rftest/rf_messages.h"

namespace tessorin {
namespace {

constexpr const char* kQualifiedName = "CBrevoxDownloadToolDlg::OnBnClickedButtonPower";
constexpr const char* kLabel = "power";

void setPower(RfHost& host, int powerComboId) {
    const MessageTable& messages = host.messages();
    const int level = host.comboSelection(powerComboId);
    if (level < 0) throw UnicodeException(messages[msgSelectPowerType]);
    const ChipDef& chip = chipSupporting(host, &ChipDef::powerSupported);

    const std::vector<std::string> addresses = chip.powerAddrs();
    const std::vector<std::vector<std::string>> values = chip.powerValueTable();
    // The combo box may list more levels than the chip's value table holds:
    // refuse before any register is written rather than write some of them.
    const auto entry = static_cast<size_t>(level);
    for (size_t i = 0; i < addresses.size(); ++i)
        if (i >= values.size() || entry >= values[i].size())
            throw UnicodeException(missingPowerValueText(messages, level, static_cast<int>(i)));

    const auto frame = openBoardForCommand(messages);
    for (size_t i = 0; i < addresses.size(); ++i) {
        const int32_t address = leadingInteger(addresses[i], 16);
        const std::string& text = values[i][entry];
        writeLog(formatText("cmd%d:[e %x %s]\n", {static_cast<int>(i), address, text}));
        requireWriteSent(host, writeHexWords(address, text), kLabel);
    }
    closeBoardAfterCommand(host.pane(), messages, kLabel);
}

}  // namespace

void pressPowerSelect(RfHost& host, int powerComboId) {
    runBoardCommand(host, kQualifiedName, [&] { setPower(host, powerComboId); });
}

}  // namespace tessorin
