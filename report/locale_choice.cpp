#include "report/locale_choice.h"

#include "base/text.h"

namespace tessorin {
namespace {

// POSIX order: LC_ALL, then the category's own variable, then LANG.
std::string_view effective(const std::string& all, const std::string& category, const std::string& lang) {
    return !all.empty() ? all : !category.empty() ? category : lang;
}

bool isChineseChina(std::string_view locale) {
    return locale.starts_with("zh_CN") && (locale.size() == 5 || locale[5] == '.' || locale[5] == '@');
}

// "zh_CN.gb18030@x" -> "gb18030"; empty when the name has none.
std::string_view codesetOfName(std::string_view locale) {
    const size_t dot = locale.find('.');
    if (dot == std::string_view::npos) return {};
    const std::string_view rest = locale.substr(dot + 1);
    return rest.substr(0, rest.find('@'));
}

// glibc's names: "utf8" is "UTF-8", "gb18030" is "GB18030".
std::string canonicalCharset(std::string_view codeset) {
    const std::string lower = asciiLower(codeset);
    if (lower == "utf8" || lower == "utf-8") return "UTF-8";
    std::string upper(codeset);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

}  // namespace

LocaleChoice chooseLocale(const LocaleSettings& settings, std::string_view libraryCodeset, bool generated) {
    const std::string_view messages = effective(settings.lcAll, settings.lcMessages, settings.lang);
    const std::string_view ctype = effective(settings.lcAll, settings.lcCtype, settings.lang);
    LocaleChoice choice;
    choice.charset = canonicalCharset(libraryCodeset);
    if (!generated && isChineseChina(ctype)) {
        // The name still says what the terminal speaks; a bare zh_CN is GB2312, as glibc defines it.
        const std::string_view named = codesetOfName(ctype);
        choice.charset = named.empty() ? "GB2312" : canonicalCharset(named);
        choice.notGenerated = std::string(ctype);
    }
    if (isChineseChina(messages)) choice.codePage = 936;
    else choice.codePage = choice.charset == "UTF-8" ? 65001 : 1252;
    return choice;
}

}  // namespace tessorin
