#pragma once
// What a private-profile read gives on tricky files, as GetPrivateProfileStringW
// gives it. Our own reader is checked against this table here; the Windows suite
// runs the same table against the real call.
#include <cstddef>
#include <string>
#include <vector>

namespace tessorin::testing {

// The UTF-8 text as a UTF-16LE file with BOM.
inline std::string utf16LeFileBytes(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

inline std::string repeated(const std::string& piece, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i) out += piece;
    return out;
}

struct IniReadCase {
    const char* name;
    std::string fileBytes;
    const char* section;
    const char* key;
    size_t bufferUnits;  // including the terminator
    std::string expected;
    // False where the file is UTF-8 without BOM and not ASCII: Windows reads
    // such a file in the ANSI code page, our reader as UTF-8.
    bool sameOnWindows = true;
};

inline std::vector<IniReadCase> iniReadCases() {
    const std::string x300 = repeated("x", 300);
    const std::string pin300 = repeated("频", 300);  // one UTF-16 unit, three UTF-8 bytes each
    return {
        {"plain", "[s]\na=b\n", "s", "a", 260, "b"},
        {"blanks around key and value", "[s]\n  a \t=  b c \t\n", "s", "a", 260, "b c"},
        {"blank line and indented header", "\n   [s]   \n\n\ta=1\n", "s", "a", 260, "1"},
        {"section and key ignore case", "[Chip_IMPL]\nCHIP_Type=demo\n", "chip_impl", "chip_type", 260, "demo"},
        {"missing key", "[s]\na=1\n", "s", "b", 260, ""},
        {"missing section", "[s]\na=1\n", "t", "a", 260, ""},
        {"key before any section", "a=1\n[s]\nb=2\n", "s", "a", 260, ""},
        {"empty file", "", "s", "a", 260, ""},
        {"empty value", "[s]\na=\n", "s", "a", 260, ""},
        {"only blanks after =", "[s]\na=   \n", "s", "a", 260, ""},
        {"first key wins", "[s]\na=1\na=2\n", "s", "a", 260, "1"},
        {"first key wins across case", "[s]\nA=1\na=2\n", "s", "a", 260, "1"},
        {"first section wins", "[s]\na=1\n[s]\na=2\n", "s", "a", 260, "1"},
        {"a later section of the same name is not searched", "[s]\nb=1\n[t]\n[s]\na=2\n", "s", "a", 260, ""},
        {"key of another section", "[t]\na=1\n[s]\nb=2\n", "s", "a", 260, ""},
        {"last line without line end", "[s]\na=b", "s", "a", 260, "b"},
        {"CR LF line ends", "[s]\r\na = b\r\nc=d\r\n", "s", "a", 260, "b"},
        {"double quotes removed", "[s]\na=\"b c\"\n", "s", "a", 260, "b c"},
        {"single quotes removed", "[s]\na='b'\n", "s", "a", 260, "b"},
        {"quotes keep inner blanks", "[s]\na= \" b \" \n", "s", "a", 260, " b "},
        {"empty quotes", "[s]\na=\"\"\n", "s", "a", 260, ""},
        {"only one pair comes off", "[s]\na=\"\"b\"\"\n", "s", "a", 260, "\"b\""},
        {"quote inside kept", "[s]\na=\"b\"c\"\n", "s", "a", 260, "b\"c"},
        {"lone quote kept", "[s]\na=\"\n", "s", "a", 260, "\""},
        {"unclosed quote kept", "[s]\na=\"b\n", "s", "a", 260, "\"b"},
        {"mixed quotes kept", "[s]\na=\"b'\n", "s", "a", 260, "\"b'"},
        {"text after a quoted value keeps the quotes", "[s]\na=\"b\" c\n", "s", "a", 260, "\"b\" c"},
        {"quote only at the end kept", "[s]\na=b\"\n", "s", "a", 260, "b\""},
        {"comment line", "[s]\n;a=1\na=2\n", "s", "a", 260, "2"},
        {"indented comment line", "[s]\n  ;a=1\na=2\n", "s", "a", 260, "2"},
        {"semicolon inside a value", "[s]\na=1;2 ; not a comment\n", "s", "a", 260, "1;2 ; not a comment"},
        {"list separators kept", "[s]\na=2402-2480`MHz;x|y\n", "s", "a", 260, "2402-2480`MHz;x|y"},
        {"brackets inside a value", "[s]\na=[-20,20]\n", "s", "a", 260, "[-20,20]"},
        {"second = belongs to the value", "[s]\na=b=c\n", "s", "a", 260, "b=c"},
        {"line without = is a key without value", "[s]\na\na=2\n", "s", "a", 260, ""},
        {"line without = names only itself", "[s]\nb\na=2\n", "s", "a", 260, "2"},
        {"header without ] is no section", "[s]\n[t\na=1\n", "s", "a", 260, "1"},
        {"blanks inside a header", "[ common ]\nfreq=1\n", "common", "freq", 260, "1"},
        {"tab inside a header", "[common\t]\nfreq=1\n", "common", "freq", 260, "1"},
        {"VT, FF and ^Z inside a header", "[\v\x1a" "common\f]\nfreq=1\n", "common", "freq", 260, "1"},
        {"header with inner blanks and a twin", "[ s ]\na=1\n[s]\na=2\n", "s", "a", 260, "1"},
        {"lone CR ends a header", "[common]\rfreq=1\n", "common", "freq", 260, "1"},
        {"lone CR ends a value", "[s]\nk=\rQ\n", "s", "k", 260, ""},
        {"lone CR between keys", "[s]\ra=1\rb=2\n", "s", "b", 260, "2"},
        {"LF CR line ends", "[s]\n\ra=1\n\rb=2\n\r", "s", "b", 260, "2"},
        {"^Z after a value", "[s]\nk=1\x1a\n", "s", "k", 260, "1"},
        {"^Z at the end of the file", "[s]\nk=1\r\n\x1a", "s", "k", 260, "1"},
        {"VT and FF around key and value", "[s]\n\vk\f=\f1 2\v\n", "s", "k", 260, "1 2"},
        {"^Z inside a value kept", "[s]\nk=1\x1a" "2\n", "s", "k", 260, "1\x1a" "2"},
        {"blanks inside quotes kept", "[s]\nk=\"\f1\x1a\"\n", "s", "k", 260, "\f1\x1a"},
        {"blank line names no key", "[s]\n\n=v\n", "s", "", 260, "v"},
        {"comment after a header", "[s] ; note\na=1\n", "s", "a", 260, "1"},
        {"blank key name", "[s]\n =1\na=2\n", "s", "a", 260, "2"},
        {"key with inner blank", "[s]\na b=1\n", "s", "a b", 260, "1"},
        {"UTF-8 BOM before the first header", "\xEF\xBB\xBF[s]\na=b\n", "s", "a", 260, "b"},
        {"UTF-8 BOM with Chinese value", "\xEF\xBB\xBF[s]\na=频率`MHz\n", "s", "a", 260, "频率`MHz"},
        {"UTF-8 without BOM, Chinese value", "[s]\na=频率\n", "s", "a", 260, "频率", false},
        {"UTF-16LE with BOM", utf16LeFileBytes(u"[common]\r\nfreq_combox = \"低|高\"\r\n"), "common", "freq_combox", 260,
         "低|高"},
        {"UTF-16LE with BOM, emoji", utf16LeFileBytes(u"[s]\na=\U0001F600x\n"), "s", "a", 260, "\U0001F600x"},
        {"259 units kept whole", "[s]\na=" + repeated("x", 259) + "\n", "s", "a", 260, repeated("x", 259)},
        {"cut at 259 units", "[s]\na=" + x300 + "\n", "s", "a", 260, repeated("x", 259)},
        {"260 units cut at 259", "[s]\na=" + repeated("x", 260) + "\n", "s", "a", 260, repeated("x", 259)},
        {"cut at 259 units, not bytes", "[s]\na=" + pin300 + "\n", "s", "a", 260, repeated("频", 259), false},
        {"cut at 259 units in UTF-8 BOM file", "\xEF\xBB\xBF[s]\na=" + pin300 + "\n", "s", "a", 260,
         repeated("频", 259)},
        {"cut at 259 units in UTF-16 file", utf16LeFileBytes(u"[s]\na=" + std::u16string(300, u'频') + u"\n"), "s",
         "a", 260, repeated("频", 259)},
        {"cut at 10239 units", "[ext]\next1_combox=" + repeated("y", 10300) + "\n", "ext", "ext1_combox", 10240,
         repeated("y", 10239)},
        {"cut at 10239 units with Chinese", "\xEF\xBB\xBF[ext]\na=ab" + repeated("频", 10300) + "\n", "ext", "a",
         10240, "ab" + repeated("频", 10237)},
        {"quoted long value is cut", "[s]\na=\"" + x300 + "\"\n", "s", "a", 260, repeated("x", 259)},
    };
}

}  // namespace tessorin::testing
