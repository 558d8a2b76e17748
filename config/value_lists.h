#pragma once
// The list syntax of INI values: groups (;), items (|), numeric ranges (-) and
// a suffix after ` appended to every expanded text.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessorin {

constexpr char listSuffixSeparator = '`';
constexpr char groupSeparator = ';';
constexpr char itemSeparator = '|';
constexpr char rangeSeparator = '-';

// A range such as 0-0x7fffffff would exhaust memory; one expanded list holds at most this many entries.
constexpr size_t kMaxListEntries = 65536;

class ListTooLongError : public std::length_error {
public:
    ListTooLongError();
};

// Empty pieces between separators and a leading separator give nothing; a
// trailing separator gives one final empty piece. Never empty: "" gives {""}.
std::vector<std::string> splitList(std::string_view text, char separator);

// Texts for display: single items unchanged, ranges as decimal texts (bounds
// compared as signed 32-bit), each followed by the suffix. Raises
// std::out_of_range for a bound wider than 32 bits and ListTooLongError.
std::vector<std::string> expandTextList(std::string_view text);

// Register values: items by parseNumber, ranges as for expandTextList, suffix
// ignored. Same errors.
std::vector<uint32_t> expandNumberList(std::string_view text);

}  // namespace tessorin
