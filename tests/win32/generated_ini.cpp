#include "tests/win32/generated_ini.h"

#include <iterator>
#include <utility>

#include "base/text.h"
#include "tests/config/ini_reader_cases.h"

namespace tessorin::testing {
namespace {

// No empty section name: for "[]" Wine answers from the keys before the first
// header, Windows from the "[]" section, and our reader follows Windows. No key
// starting with ";": Wine keeps comment lines as keys.
const char* const kSections[] = {"common", "chip_impl", "ext", "s", "two words"};
const char* const kKeys[] = {"freq_combox", "chip_freq_addr", "ext1_combox", "ext_count", "k", "two words"};
const char* const kMissingNames[] = {"nosuch", "common2", "ext_"};
constexpr char16_t kBlanks[] = u" \t\v\f\x1a";
const size_t kBufferUnits[] = {1, 2, 3, 5, 16, 258, 259, 260, 261, 10238, 10239, 10240, 10241};
const size_t kLongUnits[] = {257, 258, 259, 260, 261, 10237, 10238, 10239, 10240, 10241};
const char16_t* const kPlainValues[] = {
    u"1", u"0x40", u"2402-2480`MHz", u"1M|2M;LE", u"[-20,20]", u"b=c", u"1 ; not a comment", u"a\vb", u"x\x1ay",
    u"", u"  ", u"=", u"[s]",
};
const char16_t* const kWideValues[] = {u"频率`MHz", u"低|高", u"\U0001F600", u"a\U0001F600b", u"\u00e9t\u00e9"};
constexpr int kQueriesPerFile = 60;
constexpr size_t kMostLinesPerFile = 40;

// The text as a UTF-16 file with BOM, in either byte order.
std::string utf16FileBytes(const std::u16string& text, bool bigEndian) {
    std::string bytes = utf16LeFileBytes(text);
    if (bigEndian) {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
    }
    return bytes;
}

}  // namespace

std::u16string IniGenerator::blanks() {
    std::u16string out;
    for (size_t count = chance(60) ? 0 : 1 + below(3); count > 0; --count) out += kBlanks[below(std::size(kBlanks) - 1)];
    return out;
}

std::u16string IniGenerator::anyCase(const char* name) {
    std::u16string out;
    for (; *name; ++name) {
        char c = *name;
        if (c >= 'a' && c <= 'z' && chance(25)) c = static_cast<char>(c - 'a' + 'A');
        out += static_cast<char16_t>(c);
    }
    return out;
}

std::u16string IniGenerator::lineEnd() {
    static const char16_t* const ends[] = {u"\n", u"\r\n", u"\r"};
    return ends[lineEndMode_ < 3 ? lineEndMode_ : below(3)];
}

std::u16string IniGenerator::plainValue() {
    if (wide_ && chance(30)) return kWideValues[below(std::size(kWideValues))];
    return kPlainValues[below(std::size(kPlainValues))];
}

// Units of one kind up to the length, so that a cut can fall anywhere: inside a
// pair of surrogates too.
std::u16string IniGenerator::longValue() {
    const size_t units = kLongUnits[below(std::size(kLongUnits))];
    std::u16string out;
    while (out.size() < units) {
        if (wide_ && chance(20) && out.size() + 2 <= units) out += u"\U0001F600";
        else out += wide_ && chance(30) ? u'频' : static_cast<char16_t>(u'a' + below(26));
    }
    return out;
}

std::u16string IniGenerator::value() {
    const std::u16string inner = chance(8) ? longValue() : plainValue();
    // Opening and closing text around the value: quotes matched and not, blanks kept inside quotes.
    static const char16_t* const around[][2] = {
        {u"\"", u"\""}, {u"'", u"'"}, {u"\"", u""}, {u"", u"\""}, {u"\"", u"'"}, {u"", u""}, {u"", u""}, {u"", u""}};
    const size_t choice = below(std::size(around));
    std::u16string out = around[choice][0];
    if (choice == 0 && chance(30)) out += blanks();
    out += inner;
    if (choice == 0 && chance(30)) out += blanks();
    out += around[choice][1];
    return out;
}

std::u16string IniGenerator::line() {
    const size_t kind = below(100);
    const char* sectionName = kSections[below(std::size(kSections))];
    const char* keyName = kKeys[below(std::size(kKeys))];
    const std::u16string section = anyCase(sectionName), key = anyCase(keyName);
    if (kind < 15) {
        section_ = sectionName;
        return blanks() + u"[" + blanks() + section + blanks() + u"]" + (chance(20) ? u" ; note" : u"");
    }
    if (kind < 62) {
        if (section_) written_.push_back({section_, keyName});
        return blanks() + key + blanks() + u"=" + blanks() + value() + blanks();
    }
    if (kind < 70) return blanks() + key + blanks();               // a key without "="
    if (kind < 78) return blanks() + u";" + key + u"=" + value();  // a comment
    if (kind < 86) return blanks();
    static const char16_t* const odd[] = {u"[unclosed", u"]", u"=no key", u"[a]b]", u"[]", u"key = [x]"};
    return odd[below(std::size(odd))];
}

// Most reads ask for a key the file has under a header of that name; the rest
// for any name, or one the file never has.
ProfileQuery IniGenerator::query() {
    auto asked = [this](const char* name) { return utf16ToUtf8(blanks() + anyCase(name) + blanks()); };
    auto any = [this](const char* const* names, size_t count) {
        return chance(10) ? kMissingNames[below(std::size(kMissingNames))] : names[below(count)];
    };
    std::pair<const char*, const char*> names{any(kSections, std::size(kSections)), any(kKeys, std::size(kKeys))};
    if (!written_.empty() && chance(70)) names = written_[below(written_.size())];
    return {asked(names.first), asked(names.second), kBufferUnits[below(std::size(kBufferUnits))]};
}

GeneratedIni IniGenerator::next() {
    static const char* const encodings[] = {"UTF-8 without BOM", "UTF-8 with BOM", "UTF-16LE", "UTF-16BE"};
    const size_t encoding = below(std::size(encodings));
    // Windows reads a file without BOM in the ANSI code page: only ASCII reads the same there.
    wide_ = encoding != 0;
    lineEndMode_ = static_cast<int>(below(4));
    section_ = nullptr;
    written_.clear();
    std::u16string text;
    const size_t lines = 1 + below(kMostLinesPerFile);
    for (size_t i = 0; i < lines; ++i) {
        text += line();
        if (i + 1 < lines || chance(80)) text += lineEnd();
    }
    GeneratedIni ini{encodings[encoding], "", {}};
    if (encoding >= 2) ini.bytes = utf16FileBytes(text, encoding == 3);
    else ini.bytes = (encoding == 1 ? "\xEF\xBB\xBF" : "") + utf16ToUtf8(text);
    for (int i = 0; i < kQueriesPerFile; ++i) ini.queries.push_back(query());
    return ini;
}

}  // namespace tessorin::testing
