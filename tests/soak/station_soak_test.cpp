// The station loop under seeded random faults, chip after chip. CI runs 100
// chips; TESSORIN_SOAK_CHIPS=1000 (and TESSORIN_SOAK_SEED) run the long soak.
#include "station_soak.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "base/format.h"

namespace tessorin::testing {
namespace {

int fromEnvironment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value <= 0 || value > 1'000'000) {
        ADD_FAILURE() << name << " must be a whole number from 1 to 1000000, not \"" << text << "\"";
        return fallback;
    }
    return static_cast<int>(value);
}

void printReport(const SoakReport& report, uint32_t seed) {
    std::cout << formatText("station soak, seed %u: %d chips, %d succeeded, %d failed, %d pulled before their download; "
                            "%u passes of the loop, %u s of virtual time\n",
                            {seed, report.chips, report.succeeded, report.failed, report.pulledBeforeDownload,
                             report.passes, report.virtualSeconds});
    for (const auto& [fault, outcome] : report.byFault)
        std::cout << formatText("  %-16s %5d succeeded %5d failed\n", {fault, outcome.succeeded, outcome.failed});
}

TEST(StationSoak, EveryChipEndsWithItsImageAndSuccessOrWithFailureLogged) {
    const int chips = fromEnvironment("TESSORIN_SOAK_CHIPS", 100);
    const auto seed = static_cast<uint32_t>(fromEnvironment("TESSORIN_SOAK_SEED", 20261209));
    StationSoak soak(seed, 3000);
    const SoakReport report = soak.run(chips);
    printReport(report, seed);

    for (const std::string& defect : report.defects) ADD_FAILURE() << defect;
    EXPECT_EQ(report.chips, chips);
    EXPECT_EQ(report.succeeded + report.failed + report.pulledBeforeDownload, report.chips);
    // The seeded mix must reach both verdicts, or the soak is not testing what it claims.
    ASSERT_TRUE(report.byFault.contains("none"));
    EXPECT_GT(report.byFault.at("none").succeeded, 0);
    EXPECT_GT(report.failed, 0);
}

// The board unplugged mid-download on about every other chip: each such chip
// fails with one result, and the chip after the board is back succeeds.
TEST(StationSoak, BoardUnpluggedDuringDownloadFailsOnlyItsOwnChip) {
    const int chips = fromEnvironment("TESSORIN_SOAK_CHIPS", 100);
    const auto seed = static_cast<uint32_t>(fromEnvironment("TESSORIN_SOAK_SEED", 20261209));
    StationSoak soak(seed, 3000, FaultMix::UnplugDuringDownload);
    const SoakReport report = soak.run(chips);
    printReport(report, seed);

    for (const std::string& defect : report.defects) ADD_FAILURE() << defect;
    EXPECT_EQ(report.chips, chips);
    ASSERT_TRUE(report.byFault.contains("board unplugged"));
    EXPECT_EQ(report.byFault.at("board unplugged").succeeded, 0);
    EXPECT_GT(report.byFault.at("board unplugged").failed, 0);
    ASSERT_TRUE(report.byFault.contains("none"));
    EXPECT_GT(report.byFault.at("none").succeeded, 0);
}

}  // namespace
}  // namespace tessorin::testing
