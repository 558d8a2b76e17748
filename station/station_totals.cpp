#include "station/station_totals.h"

#include "base/format.h"

namespace tessorin {
namespace {

constexpr std::string_view kTotalsStart = "]\t\tchips: ";
constexpr std::string_view kUnrecordedStart = "%, ";

// Decimal digits at the front of text, taken off it.
std::optional<uint64_t> takeNumber(std::string_view& text) {
    size_t digits = 0;
    uint64_t value = 0;
    while (digits < text.size() && digits < 19 && text[digits] >= '0' && text[digits] <= '9')
        value = value * 10 + static_cast<uint64_t>(text[digits++] - '0');
    if (digits == 0) return std::nullopt;
    text.remove_prefix(digits);
    return value;
}

bool takeText(std::string_view& text, std::string_view expected) {
    if (!text.starts_with(expected)) return false;
    text.remove_prefix(expected.size());
    return true;
}

}  // namespace

std::string totalsText(const ChipTotals& totals) {
    const uint64_t chips = totals.passed + totals.failed;
    const uint64_t yieldTenths = chips == 0 ? 0 : (totals.passed * 1000 + chips / 2) / chips;
    std::string text = formatText("%u passed, %u failed, yield %u.%u%%",
                                  {totals.passed, totals.failed, yieldTenths / 10, yieldTenths % 10});
    if (totals.unrecorded > 0)
        text += formatText(", %u record%s not written", {totals.unrecorded, totals.unrecorded == 1 ? "" : "s"});
    return text;
}

std::string totalsMessage(const ChipTotals& totals) { return "chips: " + totalsText(totals); }

std::optional<ChipTotals> totalsInConsoleLine(std::string_view line) {
    const size_t start = line.find(kTotalsStart);
    if (start == std::string_view::npos || line.front() != '[') return std::nullopt;
    line.remove_prefix(start + kTotalsStart.size());
    std::optional<uint64_t> passed = takeNumber(line);
    if (!passed || !takeText(line, " passed, ")) return std::nullopt;
    std::optional<uint64_t> failed = takeNumber(line);
    if (!failed || !takeText(line, " failed, ")) return std::nullopt;
    ChipTotals totals{*passed, *failed, 0};
    const size_t unrecorded = line.find(kUnrecordedStart);
    if (unrecorded != std::string_view::npos) {
        line.remove_prefix(unrecorded + kUnrecordedStart.size());
        totals.unrecorded = takeNumber(line).value_or(0);
    }
    return totals;
}

}  // namespace tessorin
