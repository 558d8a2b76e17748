// INI files as an operator may drop them on the window: any bytes at all,
// decoded and parsed in memory as the file load decodes and parses them. The
// whole load runs on the document, then every key found in it is read back
// through the same reader at both buffer sizes. The list syntax of the values
// has a target of its own (ini_lists).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text.h"
#include "config/config_error.h"
#include "config/ini_file_reader.h"
#include "config/profile_read.h"
#include "config/test_config.h"
#include "fuzz_support.h"

namespace {

constexpr int kMaxKeysChecked = 64;

void require(bool condition, const char* what, std::string_view key) {
    if (condition) return;
    std::fprintf(stderr, "%s (key of %zu bytes)\n", what, key.size());
    std::abort();
}

void loadWhole(const tessorin::ProfileReader& profile) {
    try {
        std::unique_ptr<tessorin::TestConfig> config = tessorin::loadTestConfig(profile);
        for (int index = 0; index < tessorin::kRfParamCount; ++index) {
            const tessorin::ComboDef& combo = config->rfCombo(index);
            const auto entries = static_cast<int>(combo.valueCount());
            // Every entry is one formatted text; the ends show whether the indexes hold.
            if (entries > 0) {
                combo.valueText(0);
                combo.valueText(entries - 1);
            }
        }
    } catch (const tessorin::ConfigError&) {
        // Refusing the file as a whole is an answer too.
    }
}

std::string checkedRead(const tessorin::ProfileReader& profile, std::string_view section, std::string_view key,
                        size_t units) {
    std::string value = profile.read(section, key, units);
    require(tessorin::utf16Length(value) < units, "a value longer than its buffer", key);
    require(tessorin::fuzzing::isUtf8(value), "a value that is not UTF-8", key);
    return value;
}

// Every "key = value" line under its section, read back as the loader reads it.
void readBackKeys(const tessorin::ProfileReader& profile, std::string_view text) {
    std::string_view section;
    int checked = 0;
    size_t start = 0;
    while (start < text.size() && checked < kMaxKeysChecked) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() >= 2 && line[0] == '[' && line.find(']') != std::string::npos) {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string_view key = line.substr(0, equals);
        ++checked;
        const std::string shortValue = checkedRead(profile, section, key, tessorin::kProfileBufferUnits);
        // A pair that would straddle the buffer's end is left out whole, so only a
        // value with room to spare for one was surely held whole.
        if (tessorin::utf16Length(shortValue) + 2 < tessorin::kProfileBufferUnits) {
            require(profile.read(section, key, tessorin::kProfileLongBufferUnits) == shortValue,
                    "a value the short buffer holds whole reads otherwise in the long one", key);
            continue;
        }
        const std::string longValue = checkedRead(profile, section, key, tessorin::kProfileLongBufferUnits);
        require(longValue.starts_with(shortValue), "the short buffer holds other text than the long one", key);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessorin::fuzzing::discardLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = tessorin::decodeIniBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    require(tessorin::fuzzing::isUtf8(text), "decoded INI text that is not UTF-8", {});
    const tessorin::IniDocumentProfile profile("fuzz.ini", tessorin::IniDocument(std::string(text)));
    loadWhole(profile);
    readBackKeys(profile, text);
    return 0;
}
