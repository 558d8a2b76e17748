// The 2.4G frequency row: chip type and channel checks, nothing sent.
#include <gtest/gtest.h>

#include "rftest/rf_buttons.h"
#include "tests/rftest/rf_test_host.h"

namespace tessorin::testing {
namespace {

TEST(SetFrequency, ChecksChipTypeThenChannelAndNeverTouchesTheBoard) {
    struct Case {
        int chipType;
        int channel;
        const char* message;
        const char* commandText;  // what commandText holds afterwards (it starts as «old»)
    };
    const Case cases[] = {
        {0, 0, "set 2.4g Frequency succeed\n", "01"},
        {2, 78, "set 2.4g Frequency succeed\n", "4f"},
        {3, 0, "set 2.4g Frequency succeed\n", "01"},
        {5, 15, "set 2.4g Frequency succeed\n", "10"},
        // The last channel is accepted but not kept.
        {2, 79, "set 2.4g Frequency succeed\n", "old"},
        {6, 0, "please select chip typeKeyStr\n", "old"},
        // The channel is not looked at when the chip type is refused.
        {-1, 80, "please select chip typeKeyStr\n", "old"},
        {0, -1, "please select 2.4g Frequency\n", "old"},
        {0, 80, "please select 2.4g Frequency\n", "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(formatText("chip type %d, channel %d", {c.chipType, c.channel}));
        RfTestHost host;
        for (int i = 0; i < 8; ++i) host.controls().comboAddString(kChipTypeComboId, formatText("type %d", {i}));
        for (int i = 0; i < 81; ++i) host.controls().comboAddString(kFrequency24gComboId, formatText("%d", {i}));
        host.select(kChipTypeComboId, c.chipType);
        host.select(kFrequency24gComboId, c.channel);
        host.commandText() = "old";

        pressSetFrequency(host, kChipTypeComboId, kFrequency24gComboId);

        EXPECT_EQ(host.paneText(), paneLine(c.message));
        EXPECT_EQ(host.logText(), "");
        EXPECT_EQ(host.commandText(), c.commandText);
        EXPECT_EQ(host.session.emulator.scans(), 0);
    }
}

}  // namespace
}  // namespace tessorin::testing
