#include "download/station_presets.h"

#include <gtest/gtest.h>

#include "runner/log_capture.h"

namespace tessorin::download {
namespace {

struct PresetCase {
    const char* item;
    bool accepted;
    int32_t address;
    const char* value;
};

TEST(StationPresets, AcceptsAnAddressAndAnEvenHexValue) {
    const PresetCase cases[] = {
        {"8000 11223344", true, 0x8000, "11223344"},
        {"0x4C 0x0c", true, 0x4C, "0c"},
        {"  4c   0C12 ", true, 0x4C, "0C12"},
        {"7FFFFFFF 00", true, 0x7FFFFFFF, "00"},
        {"8000", false, 0, ""},                 // no value
        {"8000 ", false, 0, ""},
        {"", false, 0, ""},
        {"8000 12 34", false, 0, ""},           // a third piece
        {"8000 zz", false, 0, ""},              // value not hexadecimal
        {"8000 12g4", false, 0, ""},
        {"8000 0x", false, 0, ""},
        {"8000 123", false, 0, ""},             // odd digit would be dropped
        {"zz 12", false, 0, ""},                // address not hexadecimal
        {"-10 12", false, 0, ""},
        {"80000000 12", false, 0, ""},          // beyond a signed address
        {"123456789 12", false, 0, ""},
    };
    for (const PresetCase& c : cases) {
        runner::LogCapture log;
        std::optional<StationPreset> preset = parseStationPreset(c.item);
        ASSERT_EQ(preset.has_value(), c.accepted) << '"' << c.item << '"';
        if (preset) {
            EXPECT_EQ(preset->address, c.address) << c.item;
            EXPECT_EQ(preset->value, c.value) << c.item;
            EXPECT_EQ(log.text(), "") << c.item;
        } else {
            EXPECT_NE(log.text().find(std::string("preset \"") + c.item + "\" refused: "), std::string::npos)
                << log.text();
        }
    }
}

TEST(StationPresets, RefusalNamesTheItemAndTheReason) {
    runner::LogCapture log;
    EXPECT_FALSE(parseStationPreset("8000").has_value());
    EXPECT_EQ(log.maskedText(), "[T]\t\tpreset \"8000\" refused: expected an address and a value separated by a space\n\n");
}

TEST(StationPresets, OneRefusedItemRefusesTheWholeListAndEachIsLogged) {
    runner::LogCapture log;
    EXPECT_FALSE(parseStationPresets({"8000 11", "bad", "8004 22", "8008 zz"}).has_value());
    const std::string text = log.text();
    EXPECT_NE(text.find("preset \"bad\" refused"), std::string::npos);
    EXPECT_NE(text.find("preset \"8008 zz\" refused"), std::string::npos);

    std::optional<std::vector<StationPreset>> presets = parseStationPresets({"8000 11", "8004 2233"});
    ASSERT_TRUE(presets.has_value());
    ASSERT_EQ(presets->size(), 2u);
    EXPECT_EQ((*presets)[1].address, 0x8004);
    EXPECT_TRUE(parseStationPresets({}).has_value());
}

}  // namespace
}  // namespace tessorin::download
