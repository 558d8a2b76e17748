// Handlers pressed through the real controls, with the board emulator behind
// the link, and the command-line start of the real dialog.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "emulator/emulator_session.h"
#include "runner/log_capture.h"
#include "tests/app/panel_ini.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/dialog_session.h"

namespace tessorin::testing {
namespace {

const MessageTable english(1252);
constexpr uint16_t kChipId = 0x3C05;

struct BoardAndDialog {
    explicit BoardAndDialog(bool boardPresent) {
        if (boardPresent) board = session.emulator.addBoard(kChipId);
    }
    uint8_t chipByte(uint32_t address) {
        return session.emulator.withChip(board, [&](emulator::ChipModel& chip) { return chip.peek(address); });
    }
    std::string pane() { return dialog.text(kLogPaneId); }

    emulator::EmulatorSession session;
    runner::LogCapture log;
    TempFolder dir;
    int board = -1;
    DialogSession dialog;
};

TEST(Handlers, FrequencySelectWritesTheChosenValueIntoTheChip) {
    BoardAndDialog world(true);
    world.dialog.dropFiles({world.dir.write("panel.ini", panelIni(1))});
    SendMessageW(world.dialog.item(1019), CB_SETCURSEL, 5, 0);
    world.dialog.click(1015);
    EXPECT_EQ(world.chipByte(0x40), 5);
    const std::string pane = world.pane();
    EXPECT_EQ(pane.substr(0, 54), std::string(52, '-') + "\n\r");
    EXPECT_NE(pane.find("set [freq] success!\n\r\n"), std::string::npos) << pane;
    EXPECT_NE(world.log.maskedText().find("cmd:[e 0040 5]"), std::string::npos) << world.log.maskedText();
}

TEST(Handlers, ConfiguredButtonsActUpToTheRoutingLimit) {
    BoardAndDialog world(true);
    world.dialog.dropFiles({world.dir.write("panel.ini", panelIni(52))});
    SendMessageW(world.dialog.item(kConfiguredComboBaseId), CB_SETCURSEL, 1, 0);
    world.dialog.click(kConfiguredButtonBaseId);
    EXPECT_EQ(world.chipByte(0x70), 2);
    EXPECT_NE(world.pane().find("set [Set 1] success!"), std::string::npos) << world.pane();

    // Row 52's button (1375) is past the routed range: pressing it does nothing.
    ASSERT_NE(world.dialog.item(1375), nullptr);
    const std::string paneBefore = world.pane(), logBefore = world.log.text();
    world.dialog.click(1375);
    EXPECT_EQ(world.pane(), paneBefore);
    EXPECT_EQ(world.log.text(), logBefore);
}

TEST(Handlers, FailuresReachThePaneAndTheWindowStaysUsable) {
    BoardAndDialog world(false);
    world.dialog.click(kDownloadButtonId);
    EXPECT_NE(world.pane().find(english[msgSelectRomFirst]), std::string::npos) << world.pane();

    world.dialog.dropFiles({world.dir.write("panel.ini", panelIni(0))});
    world.dialog.click(1015);
    EXPECT_NE(world.pane().find(english[msgOpenUsbFail]), std::string::npos) << world.pane();
    EXPECT_FALSE(world.dialog.ended());
    world.dialog.click(1021);
    const std::string pane = world.pane();
    const size_t first = pane.find(english[msgOpenUsbFail]);
    EXPECT_NE(pane.find(english[msgOpenUsbFail], first + 1), std::string::npos) << "the second press reports too";
}

// Whether the main dialog of the calling thread is visible.
bool ownDialogVisible() {
    bool visible = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (std::wstring_view(className) == L"#32770" && IsWindowVisible(window)) *reinterpret_cast<bool*>(result) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visible));
    return visible;
}

TEST(CommandLineStart, WindowStaysInvisibleAndTheItemsArriveInOrder) {
    emulator::EmulatorSession session;  // no board: each pass of the loop reports it
    runner::LogCapture log;
    int passes = 0;
    bool visibleDuringLoop = false;
    DialogSessionOptions options;
    options.stationJob = download::StationJob{"C:\\no\\such\\image.rom", {"8010", "01"}};
    // Asked on the window's thread while the loop runs there.
    options.stationStop = [&] {
        visibleDuringLoop = visibleDuringLoop || ownDialogVisible();
        return ++passes > 2;
    };
    DialogSession dialog(options);
    EXPECT_FALSE(visibleDuringLoop);
    EXPECT_GE(passes, 3);
    // Once the loop has ended the idle dialog may be shown, but it has no size and no taskbar button.
    HWND window = dialog.dialog();
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{0, 0, 0, 0}));
    const std::string text = log.maskedText();
    EXPECT_NE(text.find("romFileWithCommand:C:\\no\\such\\image.rom"), std::string::npos) << text;
    EXPECT_NE(text.find("[T]\t\t" + english[msgFileNotFound]), std::string::npos) << text;
    EXPECT_NE(text.find(english[msgOpenUsbFail]), std::string::npos) << text;
    EXPECT_EQ(dialog.text(kLogPaneId), "");
}

}  // namespace
}  // namespace tessorin::testing
