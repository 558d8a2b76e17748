// The Linux locale rule: the language from the messages' locale, the character
// set from the character-type locale, and the log written in that set.
#include <gtest/gtest.h>

#include "report/locale_choice.h"
#include "report/log.h"
#include "report/log_charset.h"
#include "report/message_table.h"
#include "runner/log_capture.h"

namespace tessorin {
namespace {

TEST(LocaleChoice, LanguageFollowsTheLocaleAndCharsetItsCodeset) {
    struct Row {
        LocaleSettings settings;  // LC_ALL, LC_CTYPE, LC_MESSAGES, LANG
        const char* libraryCodeset;
        bool generated;
        int codePage;
        const char* charset;
        const char* notGenerated;
    };
    const Row rows[] = {
        {{"", "", "", "zh_CN.UTF-8"}, "UTF-8", true, 936, "UTF-8", ""},
        {{"", "", "", "zh_CN.GB18030"}, "GB18030", true, 936, "GB18030", ""},
        {{"", "", "", "zh_CN.GBK"}, "GBK", true, 936, "GBK", ""},
        {{"", "", "", "zh_CN.GB2312"}, "GB2312", true, 936, "GB2312", ""},
        {{"", "", "zh_CN.UTF-8", "en_US.UTF-8"}, "UTF-8", true, 936, "UTF-8", ""},
        {{"C", "", "", "zh_CN.UTF-8"}, "ANSI_X3.4-1968", true, 1252, "ANSI_X3.4-1968", ""},
        {{"", "", "en_US.UTF-8", "zh_CN.GB18030"}, "GB18030", true, 1252, "GB18030", ""},
        {{"", "zh_CN.GB18030", "", "C.UTF-8"}, "GB18030", true, 1252, "GB18030", ""},
        {{"", "", "", "zh_TW.UTF-8"}, "UTF-8", true, 65001, "UTF-8", ""},
        // Not generated: the library speaks ASCII, the name still says Chinese and its charset.
        {{"zh_CN.GB18030", "", "", ""}, "ANSI_X3.4-1968", false, 936, "GB18030", "zh_CN.GB18030"},
        {{"", "", "", "zh_CN.gbk@stroke"}, "ANSI_X3.4-1968", false, 936, "GBK", "zh_CN.gbk@stroke"},
        {{"", "", "", "zh_CN"}, "ANSI_X3.4-1968", false, 936, "GB2312", "zh_CN"},
        {{"", "", "", "en_US.UTF-8"}, "ANSI_X3.4-1968", false, 1252, "ANSI_X3.4-1968", ""},
    };
    for (const Row& row : rows) {
        const LocaleSettings& s = row.settings;
        const std::string where = "LC_ALL=" + s.lcAll + " LC_CTYPE=" + s.lcCtype + " LC_MESSAGES=" + s.lcMessages +
                                  " LANG=" + s.lang + (row.generated ? "" : " (not generated)");
        const LocaleChoice choice = chooseLocale(s, row.libraryCodeset, row.generated);
        EXPECT_EQ(choice.codePage, row.codePage) << where;
        EXPECT_EQ(choice.charset, row.charset) << where;
        EXPECT_EQ(choice.notGenerated, row.notGenerated) << where;
    }
}

TEST(LogCharset, ChineseLinesAreWrittenInGb18030AndBadBytesKept) {
    runner::LogCapture log;
    const MessageTable chinese(kChineseCodePage);
    setLogCharset("GB18030");
    writeTrace(chinese[msgDownloadFail]);
    writeTrace("bad \xFF byte, \xE4\xB8 cut\n");
    setLogCharset("UTF-8");
    writeTrace(chinese[msgDownloadFail]);
    EXPECT_EQ(log.text(), "\xCF\xC2\xD4\xD8\xCA\xA7\xB0\xDC\n"
                          "bad \xFF byte, \xE4\xB8 cut\n"
                          "下载失败\n");
}

}  // namespace
}  // namespace tessorin
