#include "config/value_lists.h"

#include <string>

#include "base/format.h"
#include "base/numbers.h"

namespace tessorin {
namespace {

// The list text and its suffix: the pieces before and after the first suffix separator.
struct SuffixedList {
    std::string list;
    std::string suffix;
};

SuffixedList cutSuffix(std::string_view text) {
    std::vector<std::string> pieces = splitList(text, listSuffixSeparator);
    return {pieces[0], pieces.size() >= 2 ? pieces[1] : std::string()};
}

struct Range {
    int64_t lo;
    int64_t hi;  // lo > hi: empty
    uint64_t size() const { return lo > hi ? 0 : static_cast<uint64_t>(hi - lo + 1); }
};

// Bounds compare as signed 32-bit numbers, so 2^31 and above count as negative.
Range rangeOf(const std::vector<std::string>& bounds) {
    return {static_cast<int32_t>(parseNumber(bounds[0])), static_cast<int32_t>(parseNumber(bounds[1]))};
}

void requireRoom(size_t have, uint64_t more) {
    if (more > kMaxListEntries - have) throw ListTooLongError();
}

// Calls single(piece) for an item without range separator, and range(r) otherwise, in list order.
template <typename Single, typename Ranged>
void forEachItem(std::string_view listText, Single single, Ranged ranged) {
    for (const std::string& group : splitList(listText, groupSeparator)) {
        for (const std::string& item : splitList(group, itemSeparator)) {
            std::vector<std::string> bounds = splitList(item, rangeSeparator);
            if (bounds.size() == 1) single(bounds[0]);
            else ranged(rangeOf(bounds));
        }
    }
}

}  // namespace

ListTooLongError::ListTooLongError()
    : std::length_error(formatText("list expands to more than %u entries", {kMaxListEntries})) {}

std::vector<std::string> splitList(std::string_view text, char separator) {
    std::vector<std::string> result;
    size_t at;
    while ((at = text.find(separator)) != std::string_view::npos) {
        if (at > 0) result.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    result.emplace_back(text);
    return result;
}

std::vector<std::string> expandTextList(std::string_view text) {
    SuffixedList parts = cutSuffix(text);
    std::vector<std::string> result;
    forEachItem(
        parts.list,
        [&](const std::string& piece) {
            requireRoom(result.size(), 1);
            result.push_back(piece + parts.suffix);
        },
        [&](Range range) {
            requireRoom(result.size(), range.size());
            result.reserve(result.size() + range.size());
            for (int64_t n = range.lo; n <= range.hi; ++n) result.push_back(std::to_string(n) + parts.suffix);
        });
    return result;
}

std::vector<uint32_t> expandNumberList(std::string_view text) {
    SuffixedList parts = cutSuffix(text);
    std::vector<uint32_t> result;
    forEachItem(
        parts.list,
        [&](const std::string& piece) {
            requireRoom(result.size(), 1);
            result.push_back(parseNumber(piece));
        },
        [&](Range range) {
            requireRoom(result.size(), range.size());
            result.reserve(result.size() + range.size());
            for (int64_t n = range.lo; n <= range.hi; ++n) result.push_back(static_cast<uint32_t>(n));
        });
    return result;
}

}  // namespace tessorin
