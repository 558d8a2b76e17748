#include <gtest/gtest.h>

#include <stdexcept>

#include "base/numbers.h"

namespace tessorin {
namespace {

struct NumberCase {
    const char* text;
    uint32_t expected;
};

TEST(ParseNumber, DecimalFirstThenHexadecimalElseZero) {
    const NumberCase cases[] = {
        {"10", 10},
        {"010", 10},  // no octal
        {"0x10", 16},
        {"0X10", 16},
        {"1A", 26},
        {"1a", 26},
        {"FF", 255},
        {"4000", 4000},  // all digits: decimal even when hexadecimal was meant
        {"0x", 0},
        {"x10", 0},
        {"10h", 0},
        {" 7", 0},
        {"7 ", 0},
        {"+1", 0},
        {"-1", 0},
        {"", 0},
        {"0x0x1", 0},
        {"4294967295", 4294967295u},
        {"FFFFFFFF", 4294967295u},
        {"100000000", 100000000},
        {"0x00000000FF", 255},
        {"00000000004294967295", 4294967295u},
        {"\xEF\xBC\x91", 0},       // full-width digit one
        {"1\xE3\x80\x80", 0},      // ideographic space after a digit
        {"\xC3\xA9", 0},           // any non-ASCII letter
        {"1\n", 0},
    };
    for (const NumberCase& c : cases) EXPECT_EQ(parseNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ParseNumber, EmbeddedNulIsNotANumber) { EXPECT_EQ(parseNumber(std::string_view("1\0", 2)), 0u); }

TEST(ParseNumber, WiderThan32BitsIsOutOfRange) {
    for (const char* text : {"4294967296", "0x100000000", "100000000000000000000000000000", "FFFFFFFFF"})
        EXPECT_THROW(parseNumber(text), std::out_of_range) << text;
}

TEST(IsNonZeroNumber, Cases) {
    const struct {
        const char* text;
        bool expected;
    } cases[] = {{"0", false}, {"0x0", false}, {"", false}, {"xyz", false}, {"4000h", false},
                 {"abc", true}, {"1", true},   {"4000", true}, {"0x40", true}};
    for (const auto& c : cases) EXPECT_EQ(isNonZeroNumber(c.text), c.expected) << c.text;
    EXPECT_THROW(isNonZeroNumber("4294967296"), std::out_of_range);
}

TEST(ParseNumberInBase, Hexadecimal) {
    const NumberCase cases[] = {
        {"ff", 255}, {" 0x1f", 31}, {"12zz", 18}, {"0X1F", 31}, {"\t\n ff", 255},
        {"-1", 4294967295u},  // a minus sign negates modulo 2^32
        {"+a", 10},          {"0x", 0},          // the 0 before x is the digit, as strtoul reads it
        {"0xzz", 0},         {"FFFFFFFF", 4294967295u}, {"-0x10", 4294967280u},
    };
    for (const NumberCase& c : cases) EXPECT_EQ(parseNumberInBase(c.text, 16), c.expected) << c.text;
    EXPECT_EQ(parseNumberInBase("19", 10), 19u);
    EXPECT_EQ(parseNumberInBase("0x19", 10), 0u);  // the prefix belongs to base 16 only
}

TEST(ParseNumberInBase, Errors) {
    for (const char* text : {"zz", "", " ", "-", "+x", "\xEF\xBC\x91"})
        EXPECT_THROW(parseNumberInBase(text, 16), std::invalid_argument) << text;
    for (const char* text : {"100000000", "-100000000", "0x1000000000000000000"})
        EXPECT_THROW(parseNumberInBase(text, 16), std::out_of_range) << text;
    EXPECT_THROW(parseNumberInBase("1", 1), std::invalid_argument);
    EXPECT_THROW(parseNumberInBase("1", 37), std::invalid_argument);
}

// The scan reports what the parse raises: the same texts, flags instead of exceptions.
TEST(ScanNumberInBase, ReportsWhatParseRaises) {
    for (const char* text : {"zz", "", "-", "100000000", "-100000000", "ff", "-1", "0x", " +a"}) {
        const LeadingNumber scanned = scanNumberInBase(text, 16);
        try {
            EXPECT_EQ(scanned.value, parseNumberInBase(text, 16)) << text;
            EXPECT_TRUE(scanned.anyDigit && !scanned.wider32) << text;
        } catch (const std::invalid_argument&) {
            EXPECT_FALSE(scanned.anyDigit) << text;
        } catch (const std::out_of_range&) {
            EXPECT_TRUE(scanned.anyDigit && scanned.wider32 && scanned.value == 0) << text;
        }
    }
    EXPECT_THROW(scanNumberInBase("1", 37), std::invalid_argument);
}

TEST(LeadingInteger, NeverRaisesAndClamps) {
    const struct {
        const char* text;
        int base;
        int32_t expected;
    } cases[] = {
        {"3", 10, 3},
        {" 3abc", 10, 3},
        {"abc", 10, 0},
        {"1.5", 10, 1},
        {"", 10, 0},
        {"-", 10, 0},
        {"01", 10, 1},
        {"0x1", 10, 0},
        {"-20", 16, -32},
        {"0x3F", 16, 63},
        {"-0x20", 16, -32},
        {"80000000", 16, 2147483647},
        {"7fffffff", 16, 2147483647},
        {"-80000000", 16, INT32_MIN},
        {"-80000001", 16, INT32_MIN},
        {"99999999999999999999", 10, 2147483647},
        {"-99999999999999999999", 10, INT32_MIN},
        {"2147483648", 10, 2147483647},
        {"-2147483648", 10, INT32_MIN},
        {"1", 0, 0},  // an unusable base reads nothing
    };
    for (const auto& c : cases) EXPECT_EQ(leadingInteger(c.text, c.base), c.expected) << c.text << " base " << c.base;
}

TEST(ReverseHexPairs, PairsInReverseOrder) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {{"12345678", "78563412"}, {"123", "12"}, {"1", ""}, {"", ""}, {"0x1234", "34120x"}, {"0c", "0c"}};
    for (const auto& c : cases) EXPECT_EQ(reverseHexPairs(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace tessorin
