// GetPrivateProfileStringW is the truth our own INI reader must match: both read
// the same tricky files in one run.
#include <gtest/gtest.h>

#include "config/ini_file_reader.h"
#include "config/profile_read.h"
#include "tests/config/ini_reader_cases.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

using testing::IniReadCase;
using testing::TempFolder;

TEST(ProfileRead, RealCallAndOwnReaderAgreeOnTrickyFiles) {
    TempFolder dir;
    int index = 0;
    for (const IniReadCase& c : testing::iniReadCases()) {
        std::string path = dir.write("case" + std::to_string(index++) + ".ini", c.fileBytes);
        std::string real = readPlatformProfile(c.section, c.key, path, c.bufferUnits);
        std::string own = readIniFileValue(path, c.section, c.key, c.bufferUnits);
        if (c.sameOnWindows) {
            EXPECT_EQ(real, c.expected) << "GetPrivateProfileStringW, case: " << c.name;
            EXPECT_EQ(own, real) << "own reader, case: " << c.name;
        } else {
            // Read in the ANSI code page by the real call: only the own reader has a fixed result.
            EXPECT_EQ(own, c.expected) << "own reader, case: " << c.name;
            EXPECT_NE(real, "") << "case: " << c.name;
        }
    }
}

TEST(ProfileRead, MissingFileSectionOrKeyIsEmpty) {
    TempFolder dir;
    std::string path = dir.write("set.ini", "[common]\nfreq_combox=2402-2480`MHz\n");
    EXPECT_EQ(readProfileString("common", "freq_combox", path), "2402-2480`MHz");
    EXPECT_EQ(readProfileString("common", "freq_value", path), "");
    EXPECT_EQ(readProfileString("chip_impl", "freq_combox", path), "");
    EXPECT_EQ(readProfileString("common", "freq_combox", dir.path("absent.ini")), "");
    EXPECT_EQ(readProfileStringLong("common", "freq_combox", dir.path("absent.ini")), "");
}

TEST(ProfileRead, PathOutsideTheAnsiCodePage) {
    TempFolder dir;
    std::string path = dir.write("配置_конфиг.ini", "[ext]\next1_combox=a|b\n");
    EXPECT_EQ(readProfileStringLong("ext", "ext1_combox", path), "a|b");
    EXPECT_EQ(readIniFileValue(path, "ext", "ext1_combox", kProfileLongBufferUnits), "a|b");
}

}  // namespace
}  // namespace tessorin
