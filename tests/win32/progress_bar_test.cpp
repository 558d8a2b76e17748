// The Download button's progress bar in the real dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/control_ids.h"
#include "app/window_progress.h"
#include "emulator/emulator_session.h"
#include "tests/support/temp_folder.h"
#include "tests/download/temp_code_file.h"
#include "tests/download/wire_lines.h"
#include "runner/log_capture.h"
#include "tests/win32/dialog_session.h"

namespace tessorin::testing {
namespace {

int barPosition(DialogSession& dialog) {
    dialog.workers.waitAll();
    dialog.waitForPostedMessages();  // the worker posts the positions
    return static_cast<int>(SendMessageW(dialog.item(kDownloadProgressId), PBM_GETPOS, 0, 0));
}

TEST(ProgressBar, SitsAboveThePaneAndADownloadFillsIt) {
    emulator::EmulatorSession session;
    session.emulator.addBoard(0x6D10);
    runner::LogCapture log;
    TempFolder dir;
    DialogSession dialog;
    HWND bar = dialog.item(kDownloadProgressId);
    ASSERT_NE(bar, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(bar, className, 32);
    EXPECT_EQ(std::wstring(className), std::wstring(PROGRESS_CLASSW));
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
    const RECT r = rectInParent(bar), pane = rectInParent(dialog.item(kLogPaneId)),
               path = rectInParent(dialog.item(kRomPathLabelId));
    EXPECT_EQ(r.left, pane.left);
    EXPECT_EQ(r.right, pane.right);
    EXPECT_GE(r.top, path.bottom);
    EXPECT_LE(r.bottom, pane.top);
    EXPECT_EQ(barPosition(dialog), 0);

    dialog.dropFiles({dir.write("image.rom", bytePerLineText(countingBytes(600)))});
    dialog.click(kDownloadButtonId);
    EXPECT_EQ(barPosition(dialog), 100);

    dialog.dropFiles({dir.path("missing.rom")});
    dialog.click(kDownloadButtonId);
    EXPECT_EQ(barPosition(dialog), 0) << "a new download empties the bar";
}

}  // namespace
}  // namespace tessorin::testing
