#pragma once
// What the Linux locale settings choose: the messages' language, as the code
// page that selects it, and the character set the console and the log are written in.
#include <string>
#include <string_view>

namespace tessorin {

// The environment's values, empty when unset.
struct LocaleSettings {
    std::string lcAll, lcCtype, lcMessages, lang;
};

struct LocaleChoice {
    int codePage = 1252;        // 936 (Chinese) for every zh_CN locale; else 65001 for UTF-8, 1252 for any other
    std::string charset;        // an iconv name ("GB18030", "UTF-8", ...)
    std::string notGenerated;   // a zh_CN locale named but not generated on this machine
};

// libraryCodeset: what the C library reports for the character-type locale;
// generated: whether that locale could be set (else the library speaks ASCII).
LocaleChoice chooseLocale(const LocaleSettings& settings, std::string_view libraryCodeset, bool generated);

}  // namespace tessorin
