#pragma once
// INI files as operators, editors and old tools leave them, generated from a
// seed, each with the reads to ask of it: blanks inside section brackets and
// around names and values (space, tab, VT, FF, ^Z), LF, CR LF and lone CR line
// ends, quotes matched and not, comments, lines without "=", repeated sections
// and keys, values at and around the 259 and 10239 limits read with small
// buffers too, as UTF-8 with and without BOM and UTF-16LE/BE with BOM.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tessorin::testing {

struct ProfileQuery {
    std::string section;
    std::string key;
    size_t bufferUnits;  // including the terminator
};

struct GeneratedIni {
    const char* encoding;
    std::string bytes;
    std::vector<ProfileQuery> queries;
};

class IniGenerator {
public:
    explicit IniGenerator(uint32_t seed) : random_(seed) {}
    GeneratedIni next();

private:
    size_t below(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random_); }
    bool chance(int percent) { return below(100) < static_cast<size_t>(percent); }

    std::u16string blanks();
    std::u16string anyCase(const char* name);
    std::u16string lineEnd();
    std::u16string line();
    std::u16string value();
    std::u16string plainValue();
    std::u16string longValue();
    ProfileQuery query();

    std::mt19937 random_;
    bool wide_ = false;     // the encoding carries any character, not only ASCII
    int lineEndMode_ = 0;   // LF, CR LF, CR, or a mix
    const char* section_ = nullptr;  // of the last header written
    std::vector<std::pair<const char*, const char*>> written_;  // section and key of each key line
};

}  // namespace tessorin::testing
