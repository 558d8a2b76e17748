// The list syntax of INI values (groups, items, ranges, a suffix), fed any text
// a value can hold and expanded as the load expands it: as display texts and as
// register values, an over-long list refused as an error naming its key. Both
// stay within the entry limit; when both succeed they hold one entry per item or
// range member, so as many.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "config/config_error.h"
#include "config/keyed_lists.h"
#include "config/value_lists.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The entry count, or nothing after one of the documented errors.
template <typename ExpandOfKey>
std::optional<size_t> entriesOf(ExpandOfKey expandOfKey, std::string_view text) {
    try {
        const size_t entries = expandOfKey("key", text).size();
        require(entries <= tessorin::kMaxListEntries, "a list beyond the entry limit");
        return entries;
    } catch (const tessorin::ConfigError& error) {
        require(std::string_view(error.what()).starts_with("ini key [key]: "), "a refusal that does not name its key");
    } catch (const std::out_of_range&) {
        // A bound wider than 32 bits.
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A value ends at its line's end and at a NUL, so no value holds either.
    std::string_view text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
    const std::optional<size_t> texts = entriesOf(tessorin::expandTextListOfKey, text);
    const std::optional<size_t> numbers = entriesOf(tessorin::expandNumberListOfKey, text);
    if (texts && numbers) require(*texts == *numbers, "the text and the number expansions differ in length");
    return 0;
}
