#pragma once
// The station's running totals as its console shows them after each chip,
// "chips: 3 passed, 1 failed, yield 75.0%", and read back from such a line by
// the process that runs one station per board and adds theirs up.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessorin {

struct ChipTotals {
    uint64_t passed = 0;
    uint64_t failed = 0;
    uint64_t unrecorded = 0;  // finished chips whose results line could not be written

    ChipTotals& operator+=(const ChipTotals& other) {
        passed += other.passed;
        failed += other.failed;
        unrecorded += other.unrecorded;
        return *this;
    }
};

// "3 passed, 1 failed, yield 75.0%": the yield rounded to tenths, 0.0% without
// any chip; then ", 2 records not written" when there are such chips.
std::string totalsText(const ChipTotals& totals);
// The log message of a station's totals: "chips: " and the totals' text.
std::string totalsMessage(const ChipTotals& totals);
// The totals of a station console line that holds them (after its log time),
// nothing for any other line.
std::optional<ChipTotals> totalsInConsoleLine(std::string_view line);

}  // namespace tessorin
