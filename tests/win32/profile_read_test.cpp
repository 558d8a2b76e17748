// GetPrivateProfileStringW is the truth our own INI reader must match: both read
// the same tricky files in one run, and then a few hundred generated ones.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "base/text.h"
#include "config/ini_file_reader.h"
#include "config/profile_read.h"
#include "tests/config/ini_reader_cases.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/generated_ini.h"

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

// The units GetPrivateProfileStringW leaves in the buffer, exactly: a cut
// surrogate pair stays as it is.
std::u16string realProfileUnits(const testing::ProfileQuery& query, const std::string& path, size_t bufferUnits) {
    const std::u16string section = utf8ToUtf16(query.section), key = utf8ToUtf16(query.key), file = utf8ToUtf16(path);
    std::vector<char16_t> buffer(bufferUnits, u'\0');
    DWORD copied = GetPrivateProfileStringW(reinterpret_cast<LPCWSTR>(section.c_str()),
                                            reinterpret_cast<LPCWSTR>(key.c_str()), L"",
                                            reinterpret_cast<LPWSTR>(buffer.data()), static_cast<DWORD>(bufferUnits),
                                            reinterpret_cast<LPCWSTR>(file.c_str()));
    return std::u16string(buffer.data(), copied);
}

std::string shown(const std::u16string& units) {
    std::string out;
    for (char16_t unit : units) {
        if (unit >= 0x20 && unit < 0x7F) out += static_cast<char>(unit);
        else out += "\\u" + std::to_string(unit);
    }
    return out.size() > 80 ? out.substr(0, 80) + "... (" + std::to_string(units.size()) + " units)" : out;
}

bool dropsTheLastUnitOf(const std::u16string& shorter, const std::u16string& longer) {
    return !longer.empty() && shorter == longer.substr(0, longer.size() - 1);
}

enum class Verdict { same, quotedValueFillsTheBuffer, surrogatePairCut, differ };

// Two things Wine does that Windows does not are no divergence of ours. Wine
// drops one more unit when a quoted value exactly fills the buffer: asked with
// one unit more, it gives our value. And Wine cuts inside a surrogate pair,
// leaving its high half where we drop the whole pair.
Verdict judge(const std::u16string& wine, const std::u16string& ours, size_t bufferUnits,
              const std::function<std::u16string()>& wineWithOneUnitMore) {
    if (wine == ours) return Verdict::same;
    if (ours.size() + 1 == bufferUnits && dropsTheLastUnitOf(wine, ours) && wineWithOneUnitMore() == ours)
        return Verdict::quotedValueFillsTheBuffer;
    if (dropsTheLastUnitOf(ours, wine) && wine.back() >= 0xD800 && wine.back() <= 0xDBFF)
        return Verdict::surrogatePairCut;
    return Verdict::differ;
}

TEST(ProfileRead, GeneratedFilesReadTheSameByBothReaders) {
    constexpr int kFiles = 400;
    constexpr int kShownDivergences = 20;
    const char* seedText = std::getenv("TESSORIN_INI_SEED");
    const uint32_t seed = seedText ? static_cast<uint32_t>(std::strtoul(seedText, nullptr, 10)) : 20240610u;
    testing::IniGenerator generator(seed);
    TempFolder dir;
    int queries = 0, nonEmpty = 0, quotedFill = 0, pairCut = 0, divergences = 0;
    for (int fileIndex = 0; fileIndex < kFiles; ++fileIndex) {
        const testing::GeneratedIni ini = generator.next();
        const std::string path = dir.write("generated" + std::to_string(fileIndex) + ".ini", ini.bytes);
        const IniDocument own = IniDocument::fromFile(path);
        for (const testing::ProfileQuery& query : ini.queries) {
            ++queries;
            const std::u16string wine = realProfileUnits(query, path, query.bufferUnits);
            const std::u16string ours = utf8ToUtf16(own.value(query.section, query.key, query.bufferUnits));
            switch (judge(wine, ours, query.bufferUnits,
                          [&] { return realProfileUnits(query, path, query.bufferUnits + 1); })) {
                case Verdict::same: nonEmpty += !ours.empty(); break;
                case Verdict::quotedValueFillsTheBuffer: ++quotedFill; break;
                case Verdict::surrogatePairCut: ++pairCut; break;
                case Verdict::differ:
                    if (++divergences <= kShownDivergences)
                        ADD_FAILURE() << "seed " << seed << ", file " << fileIndex << " (" << ini.encoding << "), ["
                                      << query.section << "] " << query.key << ", " << query.bufferUnits
                                      << " units: Windows \"" << shown(wine) << "\", ours \"" << shown(ours) << "\"";
                    break;
            }
        }
    }
    std::printf("generated INI files (seed %u): %d files, %d queries, %d answers not empty, excluded as Wine's own: "
                "%d quoted values filling the buffer, %d cut surrogate pairs\n",
                seed, kFiles, queries, nonEmpty, quotedFill, pairCut);
    EXPECT_EQ(divergences, 0);
    // The files must reach the values, not only miss them, and the exclusions stay rare.
    EXPECT_GT(nonEmpty, queries / 10);
    EXPECT_LT(quotedFill + pairCut, queries / 50);
}

}  // namespace
}  // namespace tessorin
