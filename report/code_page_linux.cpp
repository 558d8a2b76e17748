#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <string>

#include "base/text.h"

namespace tessorin {

// A GBK, GB2312 or GB18030 locale stands for code page 936; any other charset
// is reported as 65001 (UTF-8) or 1252, which both select English.
int platformCodePage() {
    std::setlocale(LC_CTYPE, "");
    std::string charset = asciiLower(nl_langinfo(CODESET));
    if (charset == "gbk" || charset == "gb2312" || charset == "gb18030" || charset == "cp936")
        return 936;
    return charset == "utf-8" || charset == "utf8" ? 65001 : 1252;
}

}  // namespace tessorin
