#pragma once
// Our own private-profile reader, giving the results GetPrivateProfileStringW
// gives on the same file. Built on every platform so that the Windows suite can
// compare it with the real call.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "config/profile_read.h"

namespace tessorin {

// The file's bytes as UTF-8 text: a UTF-8 BOM is dropped, UTF-16LE and UTF-16BE
// with BOM are converted, anything else is taken as UTF-8 (invalid sequences
// become U+FFFD).
std::string decodeIniBytes(std::string_view bytes);

// UTF-8 INI text read once, answering any number of lookups. Lines end at CR or
// LF; names compare without regard to ASCII case; only the first section of a
// name and the first key of a name in it count; blanks (space, tab, CR, LF, VT,
// FF and ^Z) around section names, keys and values are trimmed, one pair of
// enclosing quotes comes off a value, and a line starting with ";" is a comment.
class IniDocument {
public:
    explicit IniDocument(std::string iniText);
    // The decoded file; empty when the file cannot be read.
    static IniDocument fromFile(const std::string& iniPath);

    // The value cut to bufferUnits - 1 UTF-16 units; "" when not found.
    std::string value(std::string_view section, std::string_view key, size_t bufferUnits) const;

private:
    // Names compare without regard to ASCII case and are looked up as views, without a lower-case copy.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    // Names and values are views into the text, which stays where it is when the document moves.
    using Keys = std::unordered_map<std::string_view, std::string_view, NameHash, NameEqual>;
    std::unique_ptr<const std::string> text_;
    std::unordered_map<std::string_view, Keys, NameHash, NameEqual> sections_;
};

// The reads of one load answered from a decoded document: the load's reader where
// ours parses, and the way to load bytes that never were a file.
class IniDocumentProfile final : public ProfileReader {
public:
    IniDocumentProfile(std::string iniPath, IniDocument document)
        : ProfileReader(std::move(iniPath)), document_(std::move(document)) {}
    std::string read(std::string_view section, std::string_view key, size_t bufferUnits) const override {
        return document_.value(section, key, bufferUnits);
    }

private:
    IniDocument document_;
};

// One lookup in the file by UTF-8 path; "" when the file cannot be read.
std::string readIniFileValue(const std::string& iniPath, std::string_view section, std::string_view key,
                             size_t bufferUnits);

}  // namespace tessorin
