#include <gtest/gtest.h>

#include <cstdint>

#include "base/format.h"
#include "base/text.h"

namespace tessorin {
namespace {

TEST(FormatText, ConversionsMatchPrintf) {
    struct Case {
        std::string got;
        std::string want;
    };
    const Case cases[] = {
        {formatText("cmd:[e %04x %x]\n", {0x4010u, 3u}), "cmd:[e 4010 3]\n"},
        {formatText("cmd:[e %04x %x]\n", {4010u, 0x1ffu}), "cmd:[e 0faa 1ff]\n"},
        {formatText("%02x", {int32_t{-5}}), "fffffffb"},
        {formatText("%02x", {int32_t{0x1f}}), "1f"},
        {formatText("%02x", {int32_t{1}}), "01"},
        {formatText("%02d", {int32_t{-5}}), "-5"},
        {formatText("%02d", {int32_t{7}}), "07"},
        {formatText("%05d", {int32_t{-42}}), "-0042"},
        {formatText("%d", {int32_t{-2}}), "-2"},
        {formatText("%X", {255u}), "FF"},
        {formatText("[%s]\t%s\n", {"name", "text"}), "[name]\ttext\n"},
        {formatText("100%%", {}), "100%"},
        {formatText("%-4s|", {"ab"}), "ab  |"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(FormatText, DataTextIsNeverReadAsFormat) {
    // A path full of conversions goes through untouched, and extra or missing
    // arguments cannot read past what was given.
    EXPECT_EQ(formatText("RomPath:%s\n", {"C:\\%s%n%x\\a.rom"}), "RomPath:C:\\%s%n%x\\a.rom\n");
    EXPECT_EQ(formatText("%s %s", {"one"}), "one %s");
    EXPECT_EQ(formatText("%q%", {}), "%q%");
    EXPECT_EQ(formatText("%d", {"text"}), "");
}

TEST(Text, Utf16RoundTripAndLimits) {
    const std::string mixed = "ini文件[\xF0\x9F\x98\x80]";  // a character outside the BMP
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(mixed)), mixed);
    EXPECT_EQ(utf16Length(mixed), 3u + 2u + 1u + 2u + 1u);
    // A cut never splits a character: the surrogate pair either fits or stays out.
    EXPECT_EQ(truncateToUtf16Units(mixed, 6), "ini文件[");
    EXPECT_EQ(truncateToUtf16Units(mixed, 8), "ini文件[\xF0\x9F\x98\x80");
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("\xFF" "a")), "\xEF\xBF\xBD" "a");
}

TEST(Text, EndsWithNoCase) {
    EXPECT_TRUE(endsWithNoCase("C:\\fw\\image.ROM", ".rom"));
    EXPECT_TRUE(endsWithNoCase("firmwarerom", "rom"));
    EXPECT_FALSE(endsWithNoCase("om", "rom"));
    EXPECT_FALSE(endsWithNoCase("image.bin", ".rom"));
}

}  // namespace
}  // namespace tessorin
