// The Win32 seams that need no window: HID discovery, the log destination,
// command-line splitting, the program path and the file-dialog filter.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/program_path.h"
#include "base/paths.h"
#include "base/text.h"
#include "device/hid_link.h"
#include "device/platform_hid_transport.h"
#include "report/log.h"
#include "runner/log_capture.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "win32/command_line.h"
#include "win32/win32_file_dialog.h"

namespace tessorin::testing {
namespace {

TEST(HidDiscovery, NoBoardGivesTheInvalidHandle) {
    HidTransport& transport = platformHidTransport();
    EXPECT_EQ(transport.openFirst(kBoardVendorId, kBoardProductId), kInvalidHidHandle);
    // No device anywhere has these ids.
    EXPECT_EQ(transport.openFirst(0xFFFF, 0xFFFE), kInvalidHidHandle);
}

TEST(HidDiscovery, TransfersOnTheInvalidHandleFailAtOnceAndLeaveTheBufferAlone) {
    HidTransport& transport = platformHidTransport();
    uint8_t report[kReportSize];
    std::fill(std::begin(report), std::end(report), uint8_t{0xA5});
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(transport.write(kInvalidHidHandle, report, kTransferTimeoutMs).completed);
    EXPECT_FALSE(transport.read(kInvalidHidHandle, report, kTransferTimeoutMs).completed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kTransferTimeoutMs));
    for (uint8_t byte : report) ASSERT_EQ(byte, 0xA5);
}

TEST(LogDestination, FileModeMakesTheFolderBesideTheProgramAndStartsAfresh) {
    TempFolder dir;
    const std::string program = dir.path("站点 tool.exe");
    for (const char* run : {"first run\n", "second run\n"}) {
        LogDestination destination;
        openLogDestination(destination, program, LogTarget::File);
        ASSERT_TRUE(destination.attached);
        EXPECT_EQ(destination.path, program + "log\\download.log");
        writeLog(run);
    }
    setLogOutput(nullptr);
    EXPECT_TRUE(isDirectory(program + "log"));
    // Text mode: the file has Windows line ends.
    EXPECT_EQ(runner::maskTimestamps(fileText(program + "log\\download.log")), "file log\r\n[T]\t\tsecond run\r\n\r\n");
}

TEST(LogDestination, FolderThatCannotBeMadeLeavesTheLogWithoutDestination) {
    TempFolder dir;
    std::ofstream(pathFromUtf8(dir.path("blocker")), std::ios::binary) << "x";
    LogDestination destination;
    // "blockerlog" is possible, but not a folder inside a file.
    openLogDestination(destination, dir.path("blocker") + "\\tool.exe", LogTarget::File);
    EXPECT_FALSE(destination.attached);
    setLogOutput(nullptr);
}

TEST(CommandLine, SplitAsTheShellSplits) {
    const std::pair<const wchar_t*, std::vector<std::string>> cases[] = {
        {L"tessorin.exe", {"tessorin.exe"}},
        {L"\"C:\\Program Files\\t\\tessorin.exe\" image.rom", {"C:\\Program Files\\t\\tessorin.exe", "image.rom"}},
        {L"t.exe \"D:\\fw dir\\a.rom\" 8010 01", {"t.exe", "D:\\fw dir\\a.rom", "8010", "01"}},
        {L"t.exe \"a\\\"b\" c", {"t.exe", "a\"b", "c"}},
        {L"t.exe 下载.rom", {"t.exe", "下载.rom"}},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(win32::splitCommandLine(line), expected);
}

TEST(ProgramPath, IsTheRunningExecutable) {
    const std::string path = currentProgramPath();
    EXPECT_TRUE(endsWithNoCase(path, "\\tessorin_win32_tests.exe")) << path;
    EXPECT_TRUE(pathExists(path));
}

TEST(FileDialogFilter, BarsBecomeTerminators) {
    using namespace std::string_literals;
    EXPECT_EQ(win32::openFileFilter("ROM Files(*.rom;*.dat)|*.rom;*.dat||"),
              L"ROM Files(*.rom;*.dat)\0*.rom;*.dat\0\0"s);
    EXPECT_EQ(win32::openFileFilter("IniFiles(*.ini)|*.ini||"), L"IniFiles(*.ini)\0*.ini\0\0"s);
}

}  // namespace
}  // namespace tessorin::testing
