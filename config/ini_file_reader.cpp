#include "config/ini_file_reader.h"

#include <algorithm>
#include <optional>

#include "base/paths.h"
#include "base/text.h"

namespace tessorin {
namespace {

// What GetPrivateProfileStringW trims: ^Z is what DOS tools leave at the end of a file.
constexpr std::string_view kBlanks = " \t\r\n\v\f\x1a";
constexpr std::string_view kLineEnds = "\r\n";

std::string_view trimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string utf16BytesToUtf8(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        units += static_cast<char16_t>(lo | (hi << 8));
    }
    return utf16ToUtf8(units);
}

// The name inside "[...]", up to the last "]" of the line; false for any other line.
bool sectionName(std::string_view line, std::string_view& name) {
    if (line.empty() || line[0] != '[') return false;
    size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos) return false;
    name = line.substr(1, close - 1);
    return true;
}

// One pair of enclosing double or single quotes comes off.
std::string_view withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::string decodeIniBytes(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return utf16BytesToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return utf16BytesToUtf8(bytes.substr(2), true);
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    // ASCII decodes to itself and never ends a sequence early, so only what follows
    // the first other byte takes the round trip that replaces invalid sequences.
    const auto other =
        std::find_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const auto asciiLength = static_cast<size_t>(other - bytes.begin());
    std::string text(bytes.substr(0, asciiLength));
    if (asciiLength < bytes.size()) text += validUtf8(bytes.substr(asciiLength));
    return text;
}

size_t IniDocument::NameHash::operator()(std::string_view name) const {
    size_t hash = 14695981039346656037u;  // FNV-1a
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(asciiLower(c))) * 1099511628211u;
    return hash;
}

bool IniDocument::NameEqual::operator()(std::string_view a, std::string_view b) const {
    // Names are mostly looked up as the file spells them: compare the bytes first.
    return a == b || equalsNoCase(a, b);
}

IniDocument::IniDocument(std::string iniText) : text_(std::make_unique<const std::string>(std::move(iniText))) {
    std::string_view text = *text_;
    Keys* section = nullptr;  // null before the first header and in a repeated section
    while (!text.empty()) {
        const size_t end = text.find_first_of(kLineEnds);
        const std::string_view line = trimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty()) continue;
        std::string_view name;
        if (sectionName(line, name)) {
            auto [entry, isNew] = sections_.try_emplace(trimBlanks(name));
            section = isNew ? &entry->second : nullptr;
            continue;
        }
        if (!section || line.starts_with(';')) continue;
        // A line without "=" names a key with no value, as GetPrivateProfileStringW reads it.
        const size_t equals = line.find('=');
        std::string_view value;
        if (equals != std::string_view::npos) value = trimBlanks(line.substr(equals + 1));
        value = withoutQuotes(value.substr(0, value.find('\0')));
        section->try_emplace(trimBlanks(line.substr(0, equals)), value);
    }
}

IniDocument IniDocument::fromFile(const std::string& iniPath) {
    std::optional<std::string> bytes = readWholeFile(iniPath);
    return IniDocument(bytes ? decodeIniBytes(*bytes) : std::string());
}

std::string IniDocument::value(std::string_view section, std::string_view key, size_t bufferUnits) const {
    if (bufferUnits == 0) return {};
    auto keys = sections_.find(trimBlanks(section));
    if (keys == sections_.end()) return {};
    auto found = keys->second.find(trimBlanks(key));
    if (found == keys->second.end()) return {};
    // A UTF-16 unit never takes less than one byte: a text of fewer bytes than units is never cut.
    const std::string_view text = found->second;
    return text.size() < bufferUnits ? std::string(text) : truncateToUtf16Units(text, bufferUnits - 1);
}

std::string readIniFileValue(const std::string& iniPath, std::string_view section, std::string_view key,
                             size_t bufferUnits) {
    return IniDocument::fromFile(iniPath).value(section, key, bufferUnits);
}

}  // namespace tessorin
