// The standard open-file dialog as the Select buttons run it, answered the way
// an operator answers it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <fstream>
#include <future>

#include "app/file_dialog.h"
#include "app/program_path.h"
#include "base/paths.h"
#include "base/text.h"
#include "tests/support/temp_folder.h"
#include "win32/win32_file_dialog.h"
#include "win32/win32_text.h"

namespace tessorin::testing {
namespace {

constexpr DWORD kWaitMs = 20000;

// The file dialog, run on a thread of its own while the test answers it.
class OpenDialogRun {
public:
    explicit OpenDialogRun(const FileDialogRequest& request) {
        result_ = std::async(std::launch::async, [this, request] {
            threadId_ = GetCurrentThreadId();
            return dialog_.chooseFile(request);
        });
        for (DWORD waited = 0; !window_ && waited < kWaitMs; waited += 20) {
            Sleep(20);
            if (threadId_) EnumThreadWindows(threadId_, findDialog, reinterpret_cast<LPARAM>(&window_));
        }
    }
    ~OpenDialogRun() {
        if (window_ && IsWindow(window_)) PostMessageW(window_, WM_COMMAND, IDCANCEL, 0);
        if (result_.valid()) result_.wait();
    }

    HWND window() const { return window_; }
    std::string folder() const {
        wchar_t path[MAX_PATH] = {};
        SendMessageW(window_, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
        return win32::fromWide(path);
    }
    std::optional<std::string> answer(const std::string& fileName) {
        std::wstring name = win32::toWide(fileName);
        SendMessageW(window_, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageW(window_, WM_COMMAND, IDOK, 0);
        return finish();
    }
    std::optional<std::string> cancel() {
        PostMessageW(window_, WM_COMMAND, IDCANCEL, 0);
        return finish();
    }

private:
    static BOOL CALLBACK findDialog(HWND window, LPARAM result) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring_view(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    std::optional<std::string> finish() {
        if (result_.wait_for(std::chrono::milliseconds(kWaitMs)) != std::future_status::ready) return "still open";
        return result_.get();
    }

    win32::Win32FileDialog dialog_;
    std::atomic<DWORD> threadId_{0};
    std::future<std::optional<std::string>> result_;
    HWND window_ = nullptr;
};

TEST(OpenFileDialog, StartsInTheProgramFolderWithTheFilterAndReturnsTheChosenPath) {
    TempFolder dir;
    const std::string image = dir.write("image.rom", "00\n");
    OpenDialogRun run({kRomFileFilter, folderOfPath(image)});
    ASSERT_NE(run.window(), nullptr) << "the open-file dialog did not appear";
    EXPECT_TRUE(equalsNoCase(run.folder(), folderOfPath(image))) << run.folder();
    HWND filter = GetDlgItem(run.window(), cmb1);
    wchar_t shown[64] = {};
    SendMessageW(filter, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(win32::fromWide(shown), "ROM Files(*.rom;*.dat)");
    EXPECT_EQ(SendMessageW(filter, CB_GETCOUNT, 0, 0), 1);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(run.window(), chx1))) << "the read-only box is hidden";
    std::optional<std::string> chosen = run.answer("image.rom");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_TRUE(equalsNoCase(*chosen, image)) << *chosen;
}

TEST(OpenFileDialog, CancelGivesNothing) {
    TempFolder dir;
    OpenDialogRun run({kIniFileFilter, folderOfPath(dir.write("a.ini", "[s]\n"))});
    ASSERT_NE(run.window(), nullptr) << "the open-file dialog did not appear";
    EXPECT_EQ(run.cancel(), std::nullopt);
}

}  // namespace
}  // namespace tessorin::testing
