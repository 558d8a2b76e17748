#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <langinfo.h>
#include <string>

#include "report/locale_choice.h"
#include "report/log_charset.h"

namespace tessorin {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

// Chinese for every zh_CN locale, whatever its charset; the log stream is
// written in the locale's character set from here on.
int platformCodePage() {
    const bool generated = std::setlocale(LC_CTYPE, "") != nullptr;
    const LocaleChoice choice = chooseLocale(
        {environment("LC_ALL"), environment("LC_CTYPE"), environment("LC_MESSAGES"), environment("LANG")},
        nl_langinfo(CODESET), generated);
    if (!choice.notGenerated.empty())
        std::fprintf(stderr,
                     "tessorin: the locale %s is not generated on this machine (Debian: dpkg-reconfigure locales); "
                     "writing %s all the same\n",
                     choice.notGenerated.c_str(), choice.charset.c_str());
    setLogCharset(choice.charset);
    return choice.codePage;
}

}  // namespace tessorin
