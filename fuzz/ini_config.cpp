// INI files as an operator may drop them on the window: any bytes at all. The
// whole load runs on the file, then every key found in it is read back through
// the profile reader and expanded as a text list and as a number list.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/text.h"
#include "config/config_error.h"
#include "config/ini_file_reader.h"
#include "config/profile_read.h"
#include "config/test_config.h"
#include "config/value_lists.h"
#include "fuzz_support.h"

namespace {

constexpr int kMaxKeysChecked = 64;

void require(bool condition, const char* what, std::string_view key) {
    if (condition) return;
    std::fprintf(stderr, "%s (key of %zu bytes)\n", what, key.size());
    std::abort();
}

bool isUtf8(const std::string& text) { return tessorin::utf16ToUtf8(tessorin::utf8ToUtf16(text)) == text; }

void loadWhole(const std::string& path) {
    try {
        std::unique_ptr<tessorin::TestConfig> config = tessorin::loadTestConfig(path);
        for (int index = 0; index < tessorin::kRfParamCount; ++index) {
            const tessorin::ComboDef& combo = config->rfCombo(index);
            const auto entries = static_cast<int>(combo.valuesAreText() ? combo.textValues().size()
                                                                        : combo.numericValues().size());
            for (int entry = 0; entry < entries; ++entry) combo.valueText(entry);
        }
    } catch (const tessorin::ConfigError&) {
        // Refusing the file as a whole is an answer too.
    }
}

void expandBoth(const std::string& value) {
    try {
        require(tessorin::expandTextList(value).size() <= tessorin::kMaxListEntries, "a text list beyond the entry limit",
                value);
    } catch (const std::out_of_range&) {
    } catch (const tessorin::ListTooLongError&) {
    }
    try {
        require(tessorin::expandNumberList(value).size() <= tessorin::kMaxListEntries,
                "a number list beyond the entry limit", value);
    } catch (const std::out_of_range&) {
    } catch (const tessorin::ListTooLongError&) {
    }
}

// Every "key = value" line under its section, read back as the loader reads it.
void readBackKeys(const std::string& path, const std::string& text) {
    std::string section;
    int checked = 0;
    size_t start = 0;
    while (start < text.size() && checked < kMaxKeysChecked) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() >= 2 && line[0] == '[' && line.find(']') != std::string::npos) {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        ++checked;
        for (size_t units : {tessorin::kProfileBufferUnits, tessorin::kProfileLongBufferUnits}) {
            const std::string value = tessorin::readPlatformProfile(section, key, path, units);
            require(tessorin::utf16Length(value) < units, "a value longer than its buffer", key);
            require(isUtf8(value), "a value that is not UTF-8", key);
            expandBoth(value);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessorin::fuzzing::discardLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tessorin::fuzzing::ScratchFile file("config.ini");
    if (!file.write(data, size)) return 0;
    loadWhole(file.path());
    const std::string text = tessorin::decodeIniBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    require(isUtf8(text), "decoded INI text that is not UTF-8", {});
    readBackKeys(file.path(), text);
    return 0;
}
