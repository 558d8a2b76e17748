#include "config/value_lists.h"

#include <string>

#include "base/format.h"
#include "base/numbers.h"

namespace tessorin {
namespace {

// The pieces splitList gives, as views into text: a list of 65536 entries is split without a copy.
template <typename Piece>
void forEachPiece(std::string_view text, char separator, Piece piece) {
    size_t at;
    while ((at = text.find(separator)) != std::string_view::npos) {
        if (at > 0) piece(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    piece(text);
}

// The list text and its suffix: the pieces before and after the first suffix separator.
struct SuffixedList {
    std::string_view list;
    std::string_view suffix;
};

SuffixedList cutSuffix(std::string_view text) {
    SuffixedList parts;
    int index = 0;
    forEachPiece(text, listSuffixSeparator, [&](std::string_view piece) {
        if (index == 0) parts.list = piece;
        else if (index == 1) parts.suffix = piece;
        ++index;
    });
    return parts;
}

struct Range {
    int64_t lo;
    int64_t hi;  // lo > hi: empty
    uint64_t size() const { return lo > hi ? 0 : static_cast<uint64_t>(hi - lo + 1); }
};

// Bounds compare as signed 32-bit numbers, so 2^31 and above count as negative.
Range rangeOf(std::string_view lo, std::string_view hi) {
    return {static_cast<int32_t>(parseNumber(lo)), static_cast<int32_t>(parseNumber(hi))};
}

void requireRoom(size_t have, uint64_t more) {
    if (more > kMaxListEntries - have) throw ListTooLongError();
}

// Calls single(piece) for an item without range separator, and range(r) otherwise, in list order.
template <typename Single, typename Ranged>
void forEachItem(std::string_view listText, Single single, Ranged ranged) {
    forEachPiece(listText, groupSeparator, [&](std::string_view group) {
        forEachPiece(group, itemSeparator, [&](std::string_view item) {
            std::string_view bounds[2];
            size_t count = 0;
            forEachPiece(item, rangeSeparator, [&](std::string_view bound) {
                if (count < 2) bounds[count] = bound;
                ++count;
            });
            if (count == 1) single(bounds[0]);
            else ranged(rangeOf(bounds[0], bounds[1]));
        });
    });
}

}  // namespace

ListTooLongError::ListTooLongError()
    : std::length_error(formatText("list expands to more than %u entries", {kMaxListEntries})) {}

std::vector<std::string> splitList(std::string_view text, char separator) {
    std::vector<std::string> result;
    forEachPiece(text, separator, [&](std::string_view piece) { result.emplace_back(piece); });
    return result;
}

std::vector<std::string> expandTextList(std::string_view text) {
    SuffixedList parts = cutSuffix(text);
    std::vector<std::string> result;
    forEachItem(
        parts.list,
        [&](std::string_view piece) {
            requireRoom(result.size(), 1);
            result.emplace_back(piece).append(parts.suffix);
        },
        [&](Range range) {
            requireRoom(result.size(), range.size());
            result.reserve(result.size() + range.size());
            for (int64_t n = range.lo; n <= range.hi; ++n)
                result.emplace_back(std::to_string(n)).append(parts.suffix);
        });
    return result;
}

std::vector<uint32_t> expandNumberList(std::string_view text) {
    SuffixedList parts = cutSuffix(text);
    std::vector<uint32_t> result;
    forEachItem(
        parts.list,
        [&](std::string_view piece) {
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
