// Station job files (TOML) as a line engineer may write them: any bytes at all.
// parseJob either gives a job or one line "fuzz.toml:LINE: REASON", never both;
// a job it gives holds only fields the station can allocate and write, and each
// field's first and last value come out as width bytes that make the value again
// and as the text records show.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "job/identity_value.h"
#include "job/job.h"

namespace {

using tessorin::job::IdentityField;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

void checkValue(const IdentityField& field, int64_t value) {
    const std::vector<uint8_t> bytes = tessorin::job::valueBytes(field, value);
    require(bytes.size() == static_cast<size_t>(field.width), "a value not written as width bytes");
    uint64_t again = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const size_t significance = field.order == tessorin::job::ByteOrder::Little ? i : bytes.size() - 1 - i;
        again |= static_cast<uint64_t>(bytes[i]) << (8 * significance);
    }
    require(again == static_cast<uint64_t>(value), "the bytes of a value do not make the value again");
    const std::string shown = tessorin::job::shownValue(field, value);
    const auto width = static_cast<size_t>(field.width);
    switch (field.shown) {
        case tessorin::job::Shown::Hex: require(shown.size() == 2 * width, "a hex value not of two digits a byte"); break;
        case tessorin::job::Shown::Address: require(shown.size() == 3 * width - 1, "an address not of byte pairs"); break;
        case tessorin::job::Shown::Decimal: require(shown == std::to_string(value), "a decimal value shown otherwise"); break;
    }
}

void checkField(const IdentityField& field) {
    require(!field.name.empty(), "a field without a name");
    for (char c : field.name) require(isNameCharacter(c), "a field name with other characters");
    require(field.width >= 1 && field.width <= 8, "a width outside 1 to 8");
    require(field.at >= 0, "a negative target address");
    require(field.lowWater >= 0, "a negative low-water mark");
    if (field.source == tessorin::job::Source::List) {
        require(field.listValues.empty(), "parseJob read a list file");
        return;
    }
    require(field.step >= 1 && field.first >= 0 && field.first <= field.last, "a counter that cannot count");
    const int64_t widest = field.width == 8 ? INT64_MAX : (int64_t{1} << (8 * field.width)) - 1;
    require(field.last <= widest, "a counter beyond its width");
    require(field.last <= INT64_MAX - field.step, "a counter whose next step overflows");
    checkValue(field, field.first);
    checkValue(field, field.last);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const std::optional<tessorin::job::Job> job = tessorin::job::parseJob(bytes, "fuzz.toml", problem);
    if (!job) {
        require(problem.starts_with("fuzz.toml:"), "a refusal that does not name the file");
        const size_t line = problem.find_first_not_of("0123456789", 10);
        require(line > 10 && line != std::string::npos && problem.compare(line, 2, ": ") == 0,
                "a refusal without its line");
        require(problem.compare(10, 1, "0") != 0, "a refusal at line 0");
        require(problem.find('\n') == std::string::npos, "a refusal of more than one line");
        return 0;
    }
    require(problem.empty(), "a job given with a refusal");
    require(job->sha256.size() == 64, "a job without the SHA-256 of its bytes");
    const auto& fields = job->fields;
    for (size_t later = 0; later < fields.size(); ++later) {
        checkField(fields[later]);
        for (size_t earlier = 0; earlier < later; ++earlier) {
            const IdentityField& a = fields[earlier];
            const IdentityField& b = fields[later];
            require(a.name != b.name, "two fields of one name");
            require(a.target != b.target || a.at + a.width <= b.at || b.at + b.width <= a.at,
                    "two fields written to the same bytes");
            require(a.source != tessorin::job::Source::Counter || b.source != tessorin::job::Source::Counter ||
                        a.last < b.first || b.last < a.first,
                    "two counters over the same values");
        }
    }
    return 0;
}
