#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "config/value_lists.h"

namespace tessorin {
namespace {

using Texts = std::vector<std::string>;
using Numbers = std::vector<uint32_t>;

TEST(SplitList, Pieces) {
    const struct {
        const char* text;
        char separator;
        Texts expected;
    } cases[] = {
        {"a;b", ';', {"a", "b"}},
        {"", ';', {""}},
        {";", ';', {""}},
        {"a;", ';', {"a", ""}},
        {";a", ';', {"a"}},
        {"a;;b", ';', {"a", "b"}},
        {";;;", ';', {""}},
        {"a;;", ';', {"a", ""}},
        {"abc", ';', {"abc"}},
        {"50 {%02x}", ' ', {"50", "{%02x}"}},
        {"-20,20", ',', {"-20", "20"}},
        {",5", ',', {"5"}},
        {"频率|功率", '|', {"频率", "功率"}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitList(c.text, c.separator), c.expected) << c.text;
}

struct ListCase {
    const char* text;
    Texts texts;
    Numbers numbers;
};

TEST(ExpandLists, TextsAndNumbers) {
    const ListCase cases[] = {
        {"2402-2405`MHz", {"2402MHz", "2403MHz", "2404MHz", "2405MHz"}, {2402, 2403, 2404, 2405}},
        {"0|1|2", {"0", "1", "2"}, {0, 1, 2}},
        {"1M|2M;LE", {"1M", "2M", "LE"}, {0, 0, 0}},
        {"0x10-0x12", {"16", "17", "18"}, {16, 17, 18}},
        {"5-3", {}, {}},
        {"", {""}, {0}},
        {"a;", {"a", ""}, {10, 0}},
        {"-10dBm", {"10dBm"}, {0}},
        {"TX-1", {"0", "1"}, {0, 1}},
        {"1 | 2", {"1 ", " 2"}, {0, 0}},
        {"1-2-3", {"1", "2"}, {1, 2}},
        {"1|3-4`x`y", {"1x", "3x", "4x"}, {1, 3, 4}},
        {"1``x", {"1x"}, {1}},  // empty pieces between separators vanish
        {"`MHz", {"MHz"}, {0}},  // a leading separator is dropped, so MHz is the list
        {"0x7ffffffe-0x80000000", {}, {}},  // 2^31 compares as negative
        {"0xfffffffe-0xffffffff", {"-2", "-1"}, {0xfffffffe, 0xffffffff}},
        {"0x7ffffffe-0x7fffffff", {"2147483646", "2147483647"}, {0x7ffffffe, 0x7fffffff}},
        {"0xffffffff-1", {"-1", "0", "1"}, {0xffffffff, 0, 1}},
        {"3-3;1", {"3", "1"}, {3, 1}},
        {"低|高`档", {"低档", "高档"}, {0, 0}},
    };
    for (const ListCase& c : cases) {
        EXPECT_EQ(expandTextList(c.text), c.texts) << c.text;
        EXPECT_EQ(expandNumberList(c.text), c.numbers) << c.text;
    }
}

TEST(ExpandLists, BoundWiderThan32BitsIsOutOfRange) {
    for (const char* text : {"0-4294967296", "0x100000000-1", "1|4294967296"}) {
        EXPECT_THROW(expandNumberList(text), std::out_of_range) << text;
    }
    EXPECT_THROW(expandTextList("0-4294967296"), std::out_of_range);
    // A single item of a text list is not parsed.
    EXPECT_EQ(expandTextList("4294967296"), Texts{"4294967296"});
}

TEST(ExpandLists, EntryLimit) {
    // Exactly the limit is fine, in one range or spread over several items.
    EXPECT_EQ(expandNumberList("0-65535").size(), kMaxListEntries);
    EXPECT_EQ(expandTextList("1-32768|1-32768").size(), kMaxListEntries);
    EXPECT_EQ(expandTextList("0-65534|x").back(), "x");
    // One more, or a range that would take the process down, is refused.
    for (const char* text : {"0-65536", "0-65535|1", "1-32768;1-32769", "0-0x7fffffff", "0x80000000-0x7fffffff"}) {
        EXPECT_THROW(expandNumberList(text), ListTooLongError) << text;
        EXPECT_THROW(expandTextList(text), ListTooLongError) << text;
    }
    EXPECT_STREQ(ListTooLongError().what(), "list expands to more than 65536 entries");
}

}  // namespace
}  // namespace tessorin
