#include "config/ini_file_reader.h"

#include <cstdio>
#include <memory>

#include "base/paths.h"
#include "base/text.h"

namespace tessorin {
namespace {

std::string_view trimBlanks(std::string_view text) {
    constexpr std::string_view blanks = " \t\r";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
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

// Lines end at LF; a text without any LF further on ends its lines at CR.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}
    bool next(std::string_view& line) {
        if (rest_.empty()) return false;
        size_t end = rest_.find('\n');
        if (end == std::string_view::npos) end = rest_.find('\r');
        if (end == std::string_view::npos) end = rest_.size();
        line = rest_.substr(0, end);
        rest_.remove_prefix(end < rest_.size() ? end + 1 : end);
        return true;
    }

private:
    std::string_view rest_;
};

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

std::string readAllBytes(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openFile(path, "rb"), &std::fclose);
    std::string bytes;
    if (!file) return bytes;
    char chunk[8192];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, got);
    return bytes;
}

}  // namespace

std::string decodeIniBytes(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return utf16BytesToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return utf16BytesToUtf8(bytes.substr(2), true);
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return utf16ToUtf8(utf8ToUtf16(bytes));
}

std::string findIniValue(std::string_view iniText, std::string_view section, std::string_view key,
                         size_t bufferUnits) {
    section = trimBlanks(section);
    key = trimBlanks(key);
    LineReader lines(iniText);
    std::string_view line;
    bool inSection = false;
    while (lines.next(line)) {
        line = trimBlanks(line);
        std::string_view name;
        if (sectionName(line, name)) {
            // Only the first section of that name counts.
            if (inSection) return {};
            inSection = equalsNoCase(name, section);
            continue;
        }
        if (!inSection || line.starts_with(';')) continue;
        // A line without "=" names a key with no value, as GetPrivateProfileStringW reads it.
        size_t equals = line.find('=');
        if (!equalsNoCase(trimBlanks(line.substr(0, equals)), key)) continue;
        if (equals == std::string_view::npos) return {};
        std::string_view value = trimBlanks(line.substr(equals + 1));
        value = withoutQuotes(value.substr(0, value.find('\0')));
        return bufferUnits == 0 ? std::string() : truncateToUtf16Units(value, bufferUnits - 1);
    }
    return {};
}

std::string readIniFileValue(const std::string& iniPath, std::string_view section, std::string_view key,
                             size_t bufferUnits) {
    return findIniValue(decodeIniBytes(readAllBytes(iniPath)), section, key, bufferUnits);
}

}  // namespace tessorin
