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

// Each bad sequence as decoders disagree on it: how many bytes one U+FFFD takes.
TEST(Text, ValidUtf8AgreesWithTheRoundTripThroughUtf16) {
    const std::string replacement = "\xEF\xBF\xBD";
    struct Case {
        std::string bytes;
        std::string want;
    };
    const Case cases[] = {
        {"plain ascii", "plain ascii"},
        {"ini文件\xF0\x9F\x98\x80", "ini文件\xF0\x9F\x98\x80"},
        {"\xC0\xAF", replacement},                                   // overlong slash
        {"\xED\xA0\x80" "a", replacement + "a"},                     // a surrogate written as UTF-8
        {"\xF4\x90\x80\x80", replacement},                          // beyond U+10FFFF
        {"\xE6\x96" "a", replacement + "a"},                          // cut short before an ASCII byte
        {"\xE6\x96", replacement},                                    // cut short by the end
        {"\x80\xBF", replacement + replacement},                      // continuation bytes alone
        {"\xF8\x88\x80\x80\x80", replacement + replacement + replacement + replacement + replacement},  // five-byte form
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(validUtf8(c.bytes), c.want) << c.bytes;
        EXPECT_EQ(validUtf8(c.bytes), utf16ToUtf8(utf8ToUtf16(c.bytes))) << c.bytes;
    }
}

TEST(Text, EndsWithNoCase) {
    EXPECT_TRUE(endsWithNoCase("C:\\fw\\image.ROM", ".rom"));
    EXPECT_TRUE(endsWithNoCase("firmwarerom", "rom"));
    EXPECT_FALSE(endsWithNoCase("om", "rom"));
    EXPECT_FALSE(endsWithNoCase("image.bin", ".rom"));
}

}  // namespace
}  // namespace tessorin
