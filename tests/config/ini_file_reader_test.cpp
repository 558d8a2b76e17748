#include <gtest/gtest.h>

#include <random>

#include "base/text.h"
#include "config/ini_file_reader.h"
#include "config/profile_read.h"
#include "tests/config/ini_reader_cases.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

using testing::iniReadCases;
using testing::TempFolder;

TEST(IniFileReader, CaseTable) {
    TempFolder dir;
    for (const testing::IniReadCase& c : iniReadCases()) {
        std::string path = dir.write("case.ini", c.fileBytes);
        EXPECT_EQ(readIniFileValue(path, c.section, c.key, c.bufferUnits), c.expected) << c.name;
        EXPECT_EQ(readPlatformProfile(c.section, c.key, path, c.bufferUnits), c.expected) << c.name;
        EXPECT_EQ(openProfileForLoad(path)->read(c.section, c.key, c.bufferUnits), c.expected) << c.name;
    }
}

// Windows reads "[]" as a section named "" and keys before the first header as
// in no section at all; Wine answers "" from those keys instead.
TEST(IniFileReader, EmptySectionNameIsTheBracketsSection) {
    IniDocument document("key=val_no_section\n[]\nkey=val_e_section\n[s]\n=val_no_key\n");
    EXPECT_EQ(document.value("", "key", 260), "val_e_section");
    EXPECT_EQ(document.value("s", "", 260), "val_no_key");
    EXPECT_EQ(IniDocument("key=val_no_section\n").value("", "key", 260), "");
}

// One document answers every key of a load, in any order and as often as asked.
TEST(IniFileReader, OneDocumentAnswersManyKeys) {
    const std::string text = "[common]\nfreq=1\n[ext]\next1_addr=0x40\next2_addr = 0x41\n[COMMON]\nfreq=2\n";
    IniDocument document(text);
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } reads[] = {{"common", "freq", "1"}, {"ext", "ext2_addr", "0x41"}, {"EXT", "EXT1_ADDR", "0x40"},
                 {"ext", "ext3_addr", ""}, {" common ", "freq\t", "1"}, {"chip_impl", "freq", ""}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& r : reads) EXPECT_EQ(document.value(r.section, r.key, 260), r.expected) << r.section << "/" << r.key;
    }
}

TEST(IniFileReader, CrOnlyLineEnds) {
    EXPECT_EQ(IniDocument("[s]\ra=b\rc=d\r").value("s", "c", 260), "d");
}

TEST(IniFileReader, SurrogatePairIsNeverSplitAtTheLimit) {
    // 129 pairs fill 258 units; the 130th would need units 259 and 260.
    std::string emoji = "\U0001F600";
    std::string value = testing::repeated(emoji, 200);
    EXPECT_EQ(IniDocument("[s]\na=" + value).value("s", "a", 260), testing::repeated(emoji, 129));
}

TEST(IniFileReader, ValueEndsAtNul) {
    EXPECT_EQ(IniDocument(std::string("[s]\na=b\0c\n", 10)).value("s", "a", 260), "b");
}

TEST(IniFileReader, MissingOrUnreadableFileGivesEmpty) {
    TempFolder dir;
    EXPECT_EQ(readIniFileValue(dir.path("none.ini"), "s", "a", 260), "");
    EXPECT_EQ(readIniFileValue(dir.path(""), "s", "a", 260), "");  // the folder itself
    EXPECT_EQ(readIniFileValue("", "s", "a", 260), "");
    EXPECT_EQ(readIniFileValue(dir.write("a.ini", "[s]\na=1\n"), "s", "a", 0), "");
}

TEST(IniFileReader, PathOutsideAsciiOpens) {
    TempFolder dir;
    std::string path = dir.write("配置 ✓.ini", "[s]\na=1\n");
    EXPECT_EQ(readProfileString("s", "a", path), "1");
}

TEST(ProfileRead, RelativePathReadsTheCurrentFolder) {
    TempFolder dir;
    dir.write("here.ini", "[s]\na=1\n");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(pathFromUtf8(dir.path("")));
    std::string value = readProfileString("s", "a", "here.ini");
    std::filesystem::current_path(previous);
    EXPECT_EQ(value, "1");
}

TEST(ProfileRead, TwoBufferSizes) {
    TempFolder dir;
    std::string path = dir.write("long.ini", "[ext]\na=" + testing::repeated("z", 20000) + "\n");
    EXPECT_EQ(readProfileString("ext", "a", path).size(), 259u);
    EXPECT_EQ(readProfileStringLong("ext", "a", path).size(), 10239u);
}

TEST(DecodeIniBytes, Encodings) {
    EXPECT_EQ(decodeIniBytes("\xEF\xBB\xBF" "a"), "a");
    EXPECT_EQ(decodeIniBytes(testing::utf16LeFileBytes(u"频")), "频");
    EXPECT_EQ(decodeIniBytes(std::string("\xFE\xFF\x98\x91", 4)), "频");  // UTF-16BE with BOM
    EXPECT_EQ(decodeIniBytes("a\xFF" "b"), "a\xEF\xBF\xBD" "b");         // invalid UTF-8 becomes U+FFFD
    EXPECT_EQ(decodeIniBytes(std::string("\xFF\xFE" "a\0b", 5)), "a");   // odd last byte dropped
}

// Whatever the file holds, a value stays within its limit and is valid UTF-8.
TEST(IniFileReader, HostileBytesGiveBoundedValidText) {
    std::mt19937 random(7);
    const std::string alphabet = "[]=;\"' \t\r\nab\xE9\xA2\x91\xFF\xFE\xEF\xBB\xBF\xF0\x9F";
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        size_t length = random() % 400;
        for (size_t i = 0; i < length; ++i) bytes += alphabet[random() % alphabet.size()];
        std::string text = decodeIniBytes(bytes);
        // Without a byte-order mark the decoding is the UTF-16 round trip, whatever bytes come first.
        const bool marked =
            bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") || bytes.starts_with("\xEF\xBB\xBF");
        if (!marked) {
            EXPECT_EQ(text, utf16ToUtf8(utf8ToUtf16(bytes)));
        }
        for (size_t units : {1u, 2u, 5u, 260u}) {
            std::string value = IniDocument("[a]\n" + text).value("a", "a", units);
            EXPECT_LE(utf16Length(value), units - 1);
            EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(value)), value);
        }
    }
}

}  // namespace
}  // namespace tessorin
