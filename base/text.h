#pragma once
// UTF-8 is the text of the core; UTF-16 appears only where a platform or a limit
// counted in UTF-16 code units (as Windows counts) asks for it.
#include <cstddef>
#include <string>
#include <string_view>

namespace tessorin {

// Invalid UTF-8 sequences become U+FFFD; nothing is dropped silently.
std::u16string utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// The text with each invalid UTF-8 sequence replaced by U+FFFD: what the round
// trip through UTF-16 gives, without the UTF-16 text.
std::string validUtf8(std::string_view text);

// Number of UTF-16 code units the text takes.
size_t utf16Length(std::string_view text);
// The longest prefix that fits in maxUnits UTF-16 code units; a character is never split.
std::string truncateToUtf16Units(std::string_view text, size_t maxUnits);

// Inline: name lookups fold every character they hash.
constexpr char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
std::string asciiLower(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);
// True when the last characters of text, as many as suffix has, equal suffix
// without regard to ASCII case. A text shorter than the suffix does not end with it.
bool endsWithNoCase(std::string_view text, std::string_view suffix);

// Every occurrence of from, left to right and not overlapping, replaced by to;
// the replacement itself is not searched again. An empty from changes nothing.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace tessorin
