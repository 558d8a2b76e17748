#include <gtest/gtest.h>

#include <optional>
#include <regex>

#include "base/clock.h"
#include "base/format.h"
#include "base/paths.h"
#include "report/handler_guard.h"
#include "report/log.h"
#include "report/message_table.h"
#include "report/unicode_exception.h"
#include "runner/log_capture.h"
#include "tests/support/file_text.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

using testing::fileText;

TEST(MessageTable, CodePageChoosesTheLanguage) {
    const MessageTable chinese(936), english(1252), utf8(65001);
    EXPECT_EQ(chinese[msgDownloadFail], "下载失败\n");
    EXPECT_EQ(english[msgDownloadFail], "download fail!\n");
    EXPECT_EQ(utf8[msgOneFileOnly], "only support one file\n");
    EXPECT_EQ(chinese[msgReplaceDevice], "已经下载固件\xEF\xBC\x8C请更换设备\n");  // full-width comma
    EXPECT_EQ(chinese[msgBusyDownloading], "正在下载\xEF\xBC\x8C请稍后重试\n");
    // Entry 1 is the same in both languages.
    EXPECT_EQ(formatText(chinese[msgCurrentVersion], {"Tessorin V2.4.6"}),
              formatText(english[msgCurrentVersion], {"Tessorin V2.4.6"}));
    EXPECT_EQ(english[msgCurrentVersion], "current version:[%s]\n");
}

TEST(MessageTable, LinesEndInNewlineAndCaptionsDoNot) {
    for (int codePage : {936, 1252}) {
        const MessageTable table(codePage);
        for (int i = 0; i < kMessageCount; ++i) {
            const std::string& text = table[static_cast<MessageId>(i)];
            ASSERT_FALSE(text.empty()) << i;
            bool line = text.back() == '\n';
            EXPECT_EQ(line, i <= 3 || i >= 10) << i;
            EXPECT_EQ(text.find('%') != std::string::npos, i <= 3) << i;
        }
    }
}

TEST(MessageTable, ProcessTableIsBuiltOnce) {
    const MessageTable& first = buildMessageTable();
    const MessageTable& second = buildMessageTable();
    EXPECT_EQ(&first, &second);
}

TEST(WriteLog, LineFormat) {
    runner::LogCapture log;
    writeLog(MessageTable(1252)[msgDownloadSuccess]);
    std::regex line(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\]\t\tdownload success!\n\n)");
    EXPECT_TRUE(std::regex_match(log.text(), line)) << log.text();
}

TEST(WriteLog, VirtualClockTimestamp) {
    VirtualClock clock;
    ScopedClock installed(clock);
    clock.advanceMicros(61'000'000);
    EXPECT_EQ(logTimePrefix(), "[2026-12-09 08:01:01]\t\t");
}

TEST(Pane, LineEndRule) {
    EXPECT_EQ(withPaneLineEnd("abc"), "abc\r\n");
    EXPECT_EQ(withPaneLineEnd("abc\r\n"), "abc\r\n");
    EXPECT_EQ(withPaneLineEnd("abc\n"), "abc\n\r\n");
    EXPECT_EQ(withPaneLineEnd(""), "");
}

TEST(HandlerGuard, ReportsEachFailureKindAndReturns) {
    const MessageTable messages(1252);
    struct Case {
        std::function<void()> body;
        std::string pane;
        std::string log;
    };
    const Case cases[] = {
        {[&] { throw UnicodeException(messages[msgBoardNotLinked]); },
         "confirm that the download board is linked\n\r\n",
         "[T]\t\tconfirm that the download board is linked\n\n"},
        {[] { throw std::out_of_range("x"); },
         "[CBrevoxDownloadToolDlg::OnBnClickedButtonDownload]\tThis is a exception without handling\n\n\r\n",
         "[T]\t\t[CBrevoxDownloadToolDlg::OnBnClickedButtonDownload]\tThis is a exception without handling\n\n\n"},
        {[] { throw 42; },
         "[CBrevoxDownloadToolDlg::OnBnClickedButtonDownload]\tThis is a exception without handling\n\n\r\n",
         "[T]\t\t[CBrevoxDownloadToolDlg::OnBnClickedButtonDownload]\tThis is a exception without handling\n\n\n"},
        {[] {}, "", ""},
    };
    for (const Case& c : cases) {
        runner::LogCapture log;
        runner::RecordingPane pane;
        EXPECT_NO_THROW(runGuarded(pane, messages, "CBrevoxDownloadToolDlg::OnBnClickedButtonDownload", c.body));
        EXPECT_EQ(pane.text(), c.pane);
        EXPECT_EQ(log.maskedText(), c.log);
    }
}

TEST(HandlerGuard, MessageWithPercentSignsIsNotAFormat) {
    runner::LogCapture log;
    runner::RecordingPane pane;
    runGuarded(pane, MessageTable(1252), "X", [] { throw UnicodeException("ini%s%n%d"); });
    EXPECT_EQ(log.maskedText(), "[T]\t\tini%s%n%d\n");
}

TEST(HandlerGuard, Banner) {
    runner::LogCapture log;
    runner::RecordingPane pane;
    std::string scratch;
    logHandlerBanner(scratch, pane, "CBrevoxDownloadToolDlg::OnBnClickedButtonPower");
    EXPECT_EQ(scratch, "#############[CBrevoxDownloadToolDlg::OnBnClickedButtonPower]#############\n");
    EXPECT_EQ(log.maskedText(), "[T]\t\t" + scratch + "\n");
    EXPECT_EQ(pane.text(), std::string(52, '-') + "\n\r\n");
}

TEST(LogDestination, FileModeStartsAFreshFileEachRun) {
    testing::TempFolder dir("log_文件");
    std::string program = dir.path("tool");
    for (const char* run : {"first run\n", "second run\n"}) {
        LogDestination destination;
        openLogDestination(destination, program, LogTarget::File);
        ASSERT_TRUE(destination.attached);
        EXPECT_EQ(destination.path, program + "log/download.log");
        writeLog(run);
    }
    std::string text = runner::maskTimestamps(fileText(program + "log/download.log"));
    setLogOutput(nullptr);
    EXPECT_EQ(text, "file log\n[T]\t\tsecond run\n\n");
}

TEST(LogDestination, UnwritableFolderWithoutAStateFolderIsSilent) {
    testing::ScopedEnvironment environment;
    environment.set("XDG_STATE_HOME", std::nullopt).set("HOME", std::nullopt);
    LogDestination destination;
    EXPECT_NO_THROW(openLogDestination(destination, "/proc/nonexistent/tool", LogTarget::File));
    EXPECT_FALSE(destination.attached);
    setLogOutput(nullptr);
}

// When the folder beside the program cannot be written, the user's state folder, said on the console.
TEST(LogLocation, BesideTheProgramElseTheUsersStateFolder) {
    testing::TempFolder dir("log_location");
    // Nothing can be made under a file, whoever runs the test (root included).
    const std::string blocked = dir.write("blocker", "") + "/tool";
    const std::string state = dir.path("state"), home = dir.path("home");
    struct Case {
        const char* what;
        std::string program;
        std::optional<std::string> stateHome;
        std::string expected;
    };
    const Case cases[] = {
        {"writable beside the program", dir.path("tool"), state, dir.path("tool") + "log/download.log"},
        {"XDG_STATE_HOME", blocked, state, state + "/tessorin/download.log"},
        {"no XDG_STATE_HOME", blocked, std::nullopt, home + "/.local/state/tessorin/download.log"},
        {"a relative XDG_STATE_HOME does not count", blocked, "state", home + "/.local/state/tessorin/download.log"},
    };
    for (const Case& c : cases) {
        testing::ScopedEnvironment environment;
        environment.set("XDG_STATE_HOME", c.stateHome).set("HOME", home);
        const bool moved = c.program == blocked;
        LogDestination destination;
        ::testing::internal::CaptureStderr();
        openLogDestination(destination, c.program, LogTarget::File);
        writeLog("a line\n");
        setLogOutput(nullptr);
        const std::string console = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(destination.attached) << c.what;
        EXPECT_EQ(destination.path, c.expected) << c.what;
        EXPECT_EQ(destination.inUserStateFolder, moved) << c.what;
        EXPECT_EQ(runner::maskTimestamps(fileText(c.expected)), "file log\n[T]\t\ta line\n\n") << c.what;
        EXPECT_EQ(console, moved ? "tessorin: the folder beside the program cannot be written; the log is " +
                                       c.expected + "\n"
                                 : "")
            << c.what;
        EXPECT_TRUE(moved || !pathExists(state)) << "the state folder was made, the log being beside the program";
    }
}

}  // namespace
}  // namespace tessorin
