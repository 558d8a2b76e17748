#include "station/station_totals.h"

#include <gtest/gtest.h>

namespace tessorin::testing {
namespace {

TEST(StationTotals, TextRoundsTheYieldToTenths) {
    struct Case {
        ChipTotals totals;
        const char* text;
    };
    const Case cases[] = {
        {{0, 0}, "0 passed, 0 failed, yield 0.0%"},
        {{12, 0}, "12 passed, 0 failed, yield 100.0%"},
        {{2, 1}, "2 passed, 1 failed, yield 66.7%"},
        {{1, 2}, "1 passed, 2 failed, yield 33.3%"},
        {{0, 5}, "0 passed, 5 failed, yield 0.0%"},
        {{1999, 1}, "1999 passed, 1 failed, yield 100.0%"},
        {{1998, 2}, "1998 passed, 2 failed, yield 99.9%"},
        {{10, 0, 1}, "10 passed, 0 failed, yield 100.0%, 1 record not written"},
        {{12, 0, 12}, "12 passed, 0 failed, yield 100.0%, 12 records not written"},
    };
    for (const Case& c : cases) EXPECT_EQ(totalsText(c.totals), c.text);
    EXPECT_EQ(totalsMessage({3, 1}), "chips: 3 passed, 1 failed, yield 75.0%");
}

TEST(StationTotals, ReadBackOnlyFromAStationsTotalsLine) {
    struct Case {
        const char* line;
        std::optional<ChipTotals> totals;
    };
    const Case cases[] = {
        {"[2026-12-09 18:14:10]\t\tchips: 3 passed, 1 failed, yield 75.0%", ChipTotals{3, 1}},
        {"[T]\t\tchips: 0 passed, 12 failed, yield 0.0%", ChipTotals{0, 12}},
        {"[T]\t\tchips: 9 passed, 1 failed, yield 90.0%, 2 records not written", ChipTotals{9, 1, 2}},
        {"chips: 3 passed, 1 failed, yield 75.0%", std::nullopt},
        {"[T]\t\terror opening code file chips: 3 passed, 1 failed", std::nullopt},
        {"[T]\t\tchips: x passed, 1 failed, yield 75.0%", std::nullopt},
        {"[T]\t\tchips: 3 passed, 1 failed", std::nullopt},
        {"[T]\t\tchips: 3 passed", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<ChipTotals> read = totalsInConsoleLine(c.line);
        ASSERT_EQ(read.has_value(), c.totals.has_value()) << c.line;
        if (!read) continue;
        EXPECT_EQ(read->passed, c.totals->passed) << c.line;
        EXPECT_EQ(read->failed, c.totals->failed) << c.line;
        EXPECT_EQ(read->unrecorded, c.totals->unrecorded) << c.line;
    }
}

}  // namespace
}  // namespace tessorin::testing
