// The real dialog driven through its controls: keys, close box, drops, the
// file dialogs' results, the INI rebuild and the pane.
#include <gtest/gtest.h>

#include <thread>

#include "app/control_ids.h"
#include "runner/log_capture.h"
#include "tests/app/panel_ini.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/dialog_session.h"
#include "win32/win32_text.h"

namespace tessorin::testing {
namespace {

const MessageTable english(1252);

std::string paneOf(DialogSession& s) { return s.text(kLogPaneId); }

TEST(Keyboard, EscapeAndEnterNeitherCloseNorPress) {
    runner::LogCapture log;
    DialogSession session;
    // Enter would press the focused Select INI button, Escape would cancel the dialog.
    SendMessageW(session.dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(session.item(kSelectIniButtonId)), TRUE);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        PostMessageW(session.item(kSelectIniButtonId), WM_KEYDOWN, key, 1);
        PostMessageW(session.item(kSelectIniButtonId), WM_KEYUP, key, 0xC0000001);
    }
    session.waitForPostedMessages();
    EXPECT_FALSE(session.ended());
    EXPECT_TRUE(session.fileDialog.requests().empty());
    // The same dialog still takes a real press.
    session.click(kSelectIniButtonId);
    EXPECT_EQ(session.fileDialog.requests().size(), 1u);
    EXPECT_TRUE(session.closeBox());
}

TEST(Drops, EachKindOfDropAsTheOperatorSeesIt) {
    runner::LogCapture log;
    TempFolder dir;
    DialogSession session;
    session.dropFiles({"C:\\fw\\a.rom", "C:\\fw\\b.rom"});
    EXPECT_EQ(paneOf(session), english[msgOneFileOnly] + "\r\n");
    EXPECT_EQ(session.window().romPath, "");

    session.dropFiles({"C:\\fw\\image.bin"});
    session.dropFiles({"C:\\fw\\rom"});
    EXPECT_EQ(paneOf(session), english[msgOneFileOnly] + "\r\n" + english[msgFileFormatError] + "\r\n" +
                                   english[msgFileFormatError] + "\r\n");

    session.dropFiles({"C:\\fw\\image.ROM"});
    EXPECT_EQ(session.window().romPath, "C:\\fw\\image.ROM");
    EXPECT_EQ(session.text(kRomPathLabelId), "C:\\fw\\image.ROM");

    std::string ini = dir.write("station 配置.Ini", panelIni(2));
    session.dropFiles({ini});
    EXPECT_EQ(win32::windowText(session.dialog()), "Tessorin V2.4.6 [demo chip]");
    EXPECT_EQ(session.text(kIniPathLabelId), ini);
    EXPECT_NE(session.item(1325), nullptr);
}

TEST(Drops, LongPathIsReadIntoA260UnitBuffer) {
    runner::LogCapture log;
    DialogSession session;
    std::string longPath = "C:\\" + std::string(300, 'd') + ".rom";
    session.dropFiles({longPath});
    // Cut to 259 units, the path loses its ending and is no image any more.
    EXPECT_EQ(session.window().romPath, "");
    EXPECT_EQ(paneOf(session), english[msgFileFormatError] + "\r\n");
}

TEST(FileChoice, SelectButtonsTakeTheChosenFileAndIgnoreACancel) {
    runner::LogCapture log;
    TempFolder dir;
    DialogSession session;
    session.fileDialog.cancel();
    session.click(kSelectRomButtonId);
    EXPECT_EQ(session.text(kRomPathLabelId), "");
    session.fileDialog.choose("C:\\fw\\下载.dat");
    session.click(kSelectRomButtonId);
    EXPECT_EQ(session.window().romPath, "C:\\fw\\下载.dat");
    EXPECT_EQ(session.text(kRomPathLabelId), "C:\\fw\\下载.dat");

    std::string ini = dir.write("panel.ini", panelIni(1));
    session.fileDialog.choose(ini);
    session.click(kSelectIniButtonId);
    EXPECT_EQ(session.window().iniPath, ini);
    EXPECT_EQ(session.text(kIniPathLabelId), ini);
    auto requests = session.fileDialog.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].filter, "ROM Files(*.rom;*.dat)|*.rom;*.dat||");
    EXPECT_EQ(requests[2].filter, "IniFiles(*.ini)|*.ini||");
    EXPECT_EQ(requests[2].initialFolder, "C:\\station");
}

TEST(IniLoad, FillsTheCombosAndEnablesTheRowsOfTheChip) {
    runner::LogCapture log;
    TempFolder dir;
    DialogSession session;
    ChipOptions chip;
    chip.driftAddr = "";  // no frequency-drift register: the offset row is off
    session.fileDialog.choose(dir.write("chip.ini", panelIni(0, chip)));
    session.click(kSelectIniButtonId);
    for (const ComboState& c : combosAfterLoadingCommonSection()) {
        EXPECT_EQ(comboItems(session.item(c.id)), c.items) << c.id;
        EXPECT_EQ(SendMessageW(session.item(c.id), CB_GETCURSEL, 0, 0), c.selection) << c.id;
    }
    for (const RfRow& row : fixedRfRows()) {
        bool on = row.valueControlId != 1004;
        EXPECT_EQ(IsWindowEnabled(session.item(row.valueControlId)) != FALSE, on) << row.valueControlId;
        EXPECT_EQ(IsWindowEnabled(session.item(row.buttonId)) != FALSE, on) << row.buttonId;
    }
    // Nothing of the template is shown or hidden by the load.
    EXPECT_FALSE(IsWindowVisible(session.item(1039)));
}

TEST(IniLoad, ConfiguredPanelRowsSitBelowTheRfGroup) {
    runner::LogCapture log;
    TempFolder dir;
    DialogSession session;
    const std::string three = dir.write("three.ini", panelIni(3));
    for (int load = 0; load < 2; ++load) {
        session.dropFiles({three});
        EXPECT_EQ(win32::windowText(session.dialog()), "Tessorin V2.4.6 [demo chip]");
    }
    RECT anchor = rectInParent(session.item(kFrequencyLabelId));
    RECT group = rectInParent(session.item(kRfGroupBoxId));
    const int x = anchor.left;
    for (int i = 0; i < 3; ++i) {
        const int y = group.bottom + 10 + 30 * i;
        HWND label = session.item(kConfiguredLabelBaseId + i);
        HWND combo = session.item(kConfiguredComboBaseId + i);
        HWND button = session.item(kConfiguredButtonBaseId + i);
        ASSERT_TRUE(label && combo && button) << "row " << i;
        RECT r = rectInParent(label);
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{x, y, x + 180, y + 30}));
        EXPECT_EQ(GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
        EXPECT_EQ(win32::windowText(label), "Row " + std::to_string(i + 1));
        r = rectInParent(combo);
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right}), (std::vector<LONG>{x + 190, y, x + 290}));
        EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWN);
        EXPECT_TRUE(GetWindowLongW(combo, GWL_STYLE) & CBS_HASSTRINGS);
        RECT dropped{};
        SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        const LONG open = dropped.bottom - dropped.top, field = r.bottom - r.top;
        EXPECT_TRUE(open == 400 || open + field == 400) << "open list " << open << ", field " << field;
        EXPECT_EQ(comboItems(combo), (std::vector<std::string>{"a " + std::to_string(i + 1), "b " + std::to_string(i + 1)}));
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
        r = rectInParent(button);
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{x + 295, y, x + 375, y + 30}));
        EXPECT_EQ(win32::windowText(button), "Set " + std::to_string(i + 1));
    }
    EXPECT_EQ(session.item(kConfiguredLabelBaseId + 3), nullptr);
    // A file without configured controls takes the panel away.
    session.dropFiles({dir.write("none.ini", panelIni(0))});
    for (int id : {kConfiguredLabelBaseId, kConfiguredComboBaseId, kConfiguredButtonBaseId})
        EXPECT_EQ(session.item(id), nullptr) << id;
}

TEST(Pane, AppendsFromAWorkerThreadLandWholeAndInOrderPastTheDefaultLimit) {
    runner::LogCapture log;
    DialogSession session;
    const std::string line(999, 'x');
    std::thread worker([&] {
        for (int i = 0; i < 40; ++i) session.window().appendLogPane(std::to_string(i % 10) + line);
    });
    worker.join();
    session.window().appendLogPane("end");
    std::string pane = paneOf(session);
    ASSERT_EQ(pane.size(), 40 * 1002u + 5u);  // beyond the edit control's default 32767 characters
    for (size_t i = 0; i < 40; ++i) EXPECT_EQ(pane[i * 1002], static_cast<char>('0' + i % 10)) << i;
    EXPECT_EQ(pane.substr(pane.size() - 5), "end\r\n");
}

TEST(Closing, WhileADownloadRunsTheModalRunWaitsAndLateAppendsReturn) {
    runner::LogCapture log;
    DialogSession session;
    session.window().downloadBusy = true;  // as a download worker holds it
    session.pressCloseBox();
    Sleep(300);
    EXPECT_FALSE(session.ended());
    // The worker's last reports come after the window has gone: they return at once.
    std::thread worker([&] { session.window().appendLogPane("late report"); });
    worker.join();
    session.window().downloadBusy = false;
    for (int waited = 0; !session.ended() && waited < 5000; waited += 10) Sleep(10);
    EXPECT_TRUE(session.ended());
}

}  // namespace
}  // namespace tessorin::testing
