// The real tessorin.exe, started as an operator or a station script starts it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "station/station_command_line.h"
#include "app/program_path.h"
#include "base/format.h"
#include "base/paths.h"
#include "base/program_version.h"
#include "report/message_table.h"
#include "runner/log_capture.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "win32/win32_text.h"

namespace tessorin::testing {
namespace {

constexpr DWORD kStartBudgetMs = 30000;
const MessageTable english(1252);

// A copy of the program in a folder of its own, so that its log folder is private.
class ProgramCopy {
public:
    ProgramCopy() : path_(dir_.path("tessorin.exe")) {
        const std::string built = folderOfPath(currentProgramPath()) + "\\tessorin.exe";
        copied_ = CopyFileW(win32::toWide(built).c_str(), win32::toWide(path_).c_str(), FALSE) != FALSE;
    }
    ~ProgramCopy() { stop(); }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    bool copied() const { return copied_; }
    const std::string& path() const { return path_; }

    struct Finished {
        DWORD exitCode = STILL_ACTIVE;
        std::string output;  // standard output
        std::string errors;  // standard error
    };
    // Runs the program to its end with its standard output and error in files,
    // as a script that redirects them does.
    Finished run(const std::string& arguments) {
        Finished finished;
        const std::string outPath = dir_.path("stdout.txt"), errPath = dir_.path("stderr.txt");
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        HANDLE out = CreateFileW(win32::toWide(outPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, 0, nullptr);
        HANDLE err = CreateFileW(win32::toWide(errPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, 0, nullptr);
        std::wstring commandLine = win32::toWide("\"" + path_ + "\" " + arguments);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = err;
        PROCESS_INFORMATION process{};
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr,
                           &startup, &process)) {
            WaitForSingleObject(process.hProcess, kStartBudgetMs);
            GetExitCodeProcess(process.hProcess, &finished.exitCode);
            if (finished.exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        CloseHandle(out);
        CloseHandle(err);
        finished.output = fileText(outPath);
        finished.errors = fileText(errPath);
        return finished;
    }
    std::string folderPath(const std::string& name) const { return dir_.path(name); }

    bool start(const std::string& arguments) {
        std::wstring commandLine = win32::toWide("\"" + path_ + "\"" + (arguments.empty() ? "" : " " + arguments));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        // As from the desktop: no console of the starter's to inherit.
        return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                              nullptr, &startup, &process_) != FALSE;
    }
    DWORD id() const { return process_.dwProcessId; }
    bool running() const { return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    void stop() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, kStartBudgetMs);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        process_ = {};
    }

private:
    TempFolder dir_;
    std::string path_;
    bool copied_ = false;
    PROCESS_INFORMATION process_{};
};

HWND visibleWindowOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !IsWindowVisible(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The console screen of another process as one line: rows joined, tabs and
// wrapping gone, every run of blanks one space.
std::string consoleTextOf(DWORD processId) {
    FreeConsole();
    std::string text;
    if (AttachConsole(processId)) {
        HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (screen != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(screen, &info)) {
            std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
            for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
                DWORD read = 0;
                ReadConsoleOutputCharacterW(screen, row.data(), info.dwSize.X, {0, y}, &read);
                text += win32::fromWide(std::wstring_view(row.data(), read));
            }
        }
        if (screen != INVALID_HANDLE_VALUE) CloseHandle(screen);
        FreeConsole();
    }
    AttachConsole(ATTACH_PARENT_PROCESS);
    return text;
}

std::string squeezeBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    return out;
}

size_t count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

// The process's console, blanks squeezed, once it shows line the given number of
// times (or once the start budget is spent).
std::string consoleOnceShown(DWORD processId, const std::string& line, size_t times) {
    std::string screen;
    for (DWORD waited = 0; waited < kStartBudgetMs && count(screen, line) < times; waited += 500) {
        Sleep(500);
        screen = squeezeBlanks(consoleTextOf(processId));
    }
    return screen;
}

TEST(ProgramStart, InteractiveStartShowsTheWindowAndStartsTheLogFile) {
    ProgramCopy program;
    ASSERT_TRUE(program.copied()) << "tessorin.exe is built beside the test executable";
    ASSERT_TRUE(program.start(""));
    const std::string log = program.path() + "log\\download.log";
    const std::string expected = "file log\r\n[T]\t\tcurrent version:[Tessorin V2.4.6]\r\n\r\n";
    HWND window = nullptr;
    std::string text;
    for (DWORD waited = 0; waited < kStartBudgetMs && (!window || text != expected); waited += 100) {
        Sleep(100);
        window = visibleWindowOf(program.id());
        text = runner::maskTimestamps(fileText(log));
    }
    EXPECT_EQ(text, expected);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(win32::windowText(window), "Tessorin V2.4.6");
    EXPECT_TRUE(program.running());
}

TEST(ProgramStart, CommandLineStartWithAMissingImageReportsOnItsConsole) {
    ProgramCopy program;
    ASSERT_TRUE(program.copied()) << "tessorin.exe is built beside the test executable";
    const std::string image = "C:\\no such\\image.rom";
    ASSERT_TRUE(program.start("\"" + image + "\" 8010 01"));
    const std::string reopen = squeezeBlanks(english[msgReopenUsb]);
    const std::string screen = consoleOnceShown(program.id(), reopen, 3);
    EXPECT_EQ(visibleWindowOf(program.id()), nullptr) << "the window stays invisible";
    EXPECT_TRUE(program.running());
    program.stop();

    // In order: the console line, the version, the image, its absence, then the loop's reports.
    const std::string lines[] = {
        "console ",
        "current version:[Tessorin V2.4.6]",
        squeezeBlanks(formatText(english[msgRomFromCommandLine], {image})),
        squeezeBlanks(english[msgFileNotFound]),
        squeezeBlanks(english[msgOpenUsbFail]),
        reopen,
    };
    size_t at = 0;
    for (const std::string& line : lines) {
        size_t found = screen.find(line, at);
        ASSERT_NE(found, std::string::npos) << "\"" << line << "\" after position " << at << " in: " << screen;
        at = found + line.size();
    }
    EXPECT_EQ(screen.rfind("console ", 0), 0u) << screen;
    // The loop retries about once a second.
    EXPECT_GE(count(screen, reopen), 3u) << screen;
    const size_t failures = count(screen, squeezeBlanks(english[msgOpenUsbFail]));
    EXPECT_TRUE(failures == count(screen, reopen) || failures == count(screen, reopen) + 1) << screen;
}

TEST(ProgramStart, ListBoardsHelpAndBadOptionsAnswerAndEnd) {
    ProgramCopy program;
    ASSERT_TRUE(program.copied()) << "tessorin.exe is built beside the test executable";
    struct Case {
        std::string arguments;
        DWORD exitCode;
        std::string output;
        std::string errorsStart;
    };
    const std::string missingFolder = program.folderPath("no such folder\\results.jsonl");
    const Case cases[] = {
        {"--list-boards", 0, "no board\r\n", ""},  // Wine has no HID boards
        {"--all-boards --count 3 C:\\fw\\a.rom", 1, "", "tessorin: no board present: --all-boards has no station"},
        {"--all-boards --board TSB0001 C:\\fw\\a.rom", 2, "", "tessorin: --all-boards and --board exclude each other"},
        {"--help", 0, replaceAll(stationUsage(), "\n", "\r\n"), ""},
        {"--version", 0, replaceAll(versionLine("tessorin"), "\n", "\r\n"), ""},
        {"--verbose C:\\fw\\a.rom", 2, "", "tessorin: unknown option --verbose\r\nusage: tessorin"},
        {"--count none C:\\fw\\a.rom", 2, "", "tessorin: --count needs a whole number"},
        {"--results \"" + missingFolder + "\" C:\\fw\\a.rom", 2, "",
         "tessorin: cannot open the results file " + missingFolder + ": Windows error 3"},
    };
    for (const Case& c : cases) {
        const ProgramCopy::Finished finished = program.run(c.arguments);
        EXPECT_EQ(finished.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(finished.output, c.output) << c.arguments;
        EXPECT_EQ(finished.errors.substr(0, c.errorsStart.size()), c.errorsStart) << c.arguments;
    }
}

// With a results file and a missing image the station starts as the seed's
// does (no board under Wine, so no chip finishes): the file is there, empty.
TEST(ProgramStart, StationWithResultsAndAMissingImageRunsItsLoop) {
    ProgramCopy program;
    ASSERT_TRUE(program.copied()) << "tessorin.exe is built beside the test executable";
    const std::string results = program.folderPath("results.jsonl");
    ASSERT_TRUE(program.start("--results \"" + results + "\" --count 2 \"C:\\no such\\image.rom\""));
    const std::string reopen = squeezeBlanks(english[msgReopenUsb]);
    const std::string screen = consoleOnceShown(program.id(), reopen, 2);
    EXPECT_TRUE(program.running());
    program.stop();
    EXPECT_NE(screen.find(squeezeBlanks(english[msgFileNotFound])), std::string::npos) << screen;
    EXPECT_GE(count(screen, reopen), 2u) << screen;
    EXPECT_TRUE(pathExists(results));
    EXPECT_EQ(fileText(results), "");
}

// The program inherits the code page; under Wine it follows the Unix locale,
// so tools/test.d/windows runs this case once more with LC_ALL=zh_CN.UTF-8.
TEST(ProgramStart, ChineseMessagesReachTheConsoleWhole) {
    if (GetACP() != kChineseCodePage) GTEST_SKIP() << "needs ANSI code page 936 (Wine: LC_ALL=zh_CN.UTF-8)";
    ProgramCopy program;
    ASSERT_TRUE(program.copied()) << "tessorin.exe is built beside the test executable";
    ASSERT_TRUE(program.start("C:\\no\\image.rom"));
    const MessageTable chinese(936);
    const std::string reopen = squeezeBlanks(chinese[msgReopenUsb]);
    const std::string screen = consoleOnceShown(program.id(), reopen, 1);
    program.stop();
    for (MessageId id : {msgFileNotFound, msgOpenUsbFail, msgReopenUsb})
        EXPECT_NE(screen.find(squeezeBlanks(chinese[id])), std::string::npos) << chinese[id] << " in: " << screen;
}

}  // namespace
}  // namespace tessorin::testing
