#include "download/station_presets.h"

#include "base/format.h"
#include "base/not_examined.h"
#include "base/numbers.h"
#include "config/value_lists.h"
#include "device/board_commands.h"
#include "report/log.h"

namespace tessorin::download {
namespace {

constexpr size_t kMaxAddressDigits = 8;
constexpr uint32_t kMaxAddress = 0x7FFFFFFF;  // addresses are signed 32-bit

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string_view withoutHexPrefix(std::string_view text) {
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return text.substr(2);
    return text;
}

bool allHexDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!isHexDigit(c)) return false;
    return true;
}

std::nullopt_t refuse(std::string_view item, std::string_view reason) {
    writeLog(formatText("preset \"%s\" refused: %s\n", {item, reason}));
    return std::nullopt;
}

}  // namespace

std::optional<StationPreset> parseStationPreset(std::string_view item) {
    std::vector<std::string> pieces;
    for (std::string& piece : splitList(item, ' '))
        if (!piece.empty()) pieces.push_back(std::move(piece));
    if (pieces.size() != 2) return refuse(item, "expected an address and a value separated by a space");

    std::string_view address = withoutHexPrefix(pieces[0]);
    if (!allHexDigits(address) || address.size() > kMaxAddressDigits || parseNumberInBase(address, 16) > kMaxAddress)
        return refuse(item, "the address is not a hexadecimal number of at most 31 bits");

    std::string_view value = withoutHexPrefix(pieces[1]);
    if (!allHexDigits(value)) return refuse(item, "the value is not a hexadecimal number");
    // Digits are taken in pairs; an odd last digit would be lost.
    if (value.size() % 2 != 0) return refuse(item, "the value needs an even number of hexadecimal digits");

    return StationPreset{static_cast<int32_t>(parseNumberInBase(address, 16)), std::string(value)};
}

std::optional<std::vector<StationPreset>> parseStationPresets(const std::vector<std::string>& items) {
    std::vector<StationPreset> presets;
    bool allValid = true;
    for (const std::string& item : items) {
        std::optional<StationPreset> preset = parseStationPreset(item);
        if (preset) presets.push_back(std::move(*preset));
        else allValid = false;
    }
    if (!allValid) return std::nullopt;
    return presets;
}

void writeStationPreset(const StationPreset& preset) {
    notExamined(writeHexWords(preset.address, reverseHexPairs(preset.value)));
}

}  // namespace tessorin::download
