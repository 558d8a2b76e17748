#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "runner/log_capture.h"
#include "runner/window_harness.h"
#include "tests/app/panel_ini.h"
#include "tests/support/temp_folder.h"

namespace tessorin::testing {
namespace {

class FileIntake : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(harness.start());
        log.clear();
    }
    std::string romLabel() { return harness.controls.controlText(kRomPathLabelId); }
    std::string iniLabel() { return harness.controls.controlText(kIniPathLabelId); }

    runner::LogCapture log;
    TempFolder dir;
    runner::WindowHarness harness;
    CBrevoxDownloadToolDlg& window = harness.window;
};

TEST_F(FileIntake, DroppedImageBecomesTheRomPathWhateverItsCase) {
    for (const char* path : {"C:\\fw\\image.ROM", "/fw/x.dat", "/fw/y.Rom"}) {
        window.OnDropFiles({path});
        EXPECT_EQ(window.romPath, path);
        EXPECT_EQ(romLabel(), path);
    }
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(harness.controls.paneText(), "");
}

TEST_F(FileIntake, DroppedIniLoadsTheConfigurationButKeepsIniPath) {
    std::string path = dir.write("test.Ini", panelIni(1));
    window.iniPath = "/earlier/choice.ini";
    window.OnDropFiles({path});
    ASSERT_NE(window.configuration, nullptr);
    EXPECT_EQ(harness.controls.windowCaption(), "Tessorin V2.4.6 [demo chip]");
    EXPECT_EQ(iniLabel(), path);
    EXPECT_EQ(window.iniPath, "/earlier/choice.ini");
    EXPECT_EQ(window.romPath, "");
}

TEST_F(FileIntake, OtherEndingsAreRefusedInBothChannels) {
    window.romPath = "/fw/kept.rom";
    for (const char* path : {"rom", "image.bin", "a.ini.txt", "", "x.ro"}) {
        log.clear();
        std::string paneBefore = harness.controls.paneText();
        window.OnDropFiles({path});
        EXPECT_EQ(window.romPath, "/fw/kept.rom") << path;
        EXPECT_EQ(log.maskedText(), "[T]\t\tfile format error\n\n") << path;
        EXPECT_EQ(harness.controls.paneText(), paneBefore + "file format error\n\r\n") << path;
    }
    EXPECT_EQ(window.configuration, nullptr);
}

TEST_F(FileIntake, SeveralFilesAtOnceAreRefusedInThePaneOnly) {
    window.romPath = "/fw/kept.rom";
    window.OnDropFiles({"/fw/a.rom", "/fw/b.rom"});
    EXPECT_EQ(window.romPath, "/fw/kept.rom");
    EXPECT_EQ(romLabel(), "");
    EXPECT_EQ(harness.controls.paneText(), "only support one file\n\r\n");
    EXPECT_EQ(log.text(), "");
}

TEST_F(FileIntake, AnEmptyDropTakesNothing) {
    window.OnDropFiles({});
    EXPECT_EQ(harness.controls.paneText(), "");
    EXPECT_EQ(log.text(), "");
}

TEST_F(FileIntake, DialogsAskWithTheirFilterFromTheProgramFolder) {
    window.onCommand(kSelectRomButtonId);
    window.onCommand(kSelectIniButtonId);
    std::vector<FileDialogRequest> asked = harness.fileDialog.requests();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].filter, "ROM Files(*.rom;*.dat)|*.rom;*.dat||");
    EXPECT_EQ(asked[1].filter, "IniFiles(*.ini)|*.ini||");
    EXPECT_EQ(asked[0].initialFolder, "/opt/station");
    EXPECT_EQ(asked[1].initialFolder, "/opt/station");
}

TEST_F(FileIntake, CancelledDialogsChangeNothing) {
    window.romPath = "/fw/kept.rom";
    window.iniPath = "/cfg/kept.ini";
    harness.fileDialog.cancel();
    harness.fileDialog.cancel();
    window.onCommand(kSelectRomButtonId);
    window.onCommand(kSelectIniButtonId);
    EXPECT_EQ(window.romPath, "/fw/kept.rom");
    EXPECT_EQ(window.iniPath, "/cfg/kept.ini");
    EXPECT_EQ(romLabel(), "");
    EXPECT_EQ(iniLabel(), "");
    EXPECT_EQ(window.configuration, nullptr);
    EXPECT_EQ(harness.controls.paneText(), "");
    EXPECT_EQ(log.text(), "");
}

TEST_F(FileIntake, ChosenImageIsTakenAsItIsEvenDuringADownload) {
    window.downloadBusy = true;
    harness.fileDialog.choose("/fw/any name.bin");  // the dialog's filter is the only test
    window.onCommand(kSelectRomButtonId);
    window.downloadBusy = false;
    EXPECT_EQ(window.romPath, "/fw/any name.bin");
    EXPECT_EQ(romLabel(), "/fw/any name.bin");
    EXPECT_EQ(harness.controls.paneText(), "");
    EXPECT_EQ(log.text(), "");
}

TEST_F(FileIntake, ChosenIniBecomesIniPathAndIsLoaded) {
    std::string path = dir.write("chosen.ini", panelIni(2));
    harness.fileDialog.choose(path);
    window.onCommand(kSelectIniButtonId);
    EXPECT_EQ(window.iniPath, path);
    EXPECT_EQ(iniLabel(), path);
    ASSERT_NE(window.configuration, nullptr);
    EXPECT_EQ(window.configuredControls.size(), 2u);
}

TEST_F(FileIntake, ChosenIniThatFailsToLoadStillShowsItsPath) {
    std::string path = dir.path("vanished.ini");
    harness.fileDialog.choose(path);
    window.onCommand(kSelectIniButtonId);
    EXPECT_EQ(window.iniPath, path);
    EXPECT_EQ(iniLabel(), path);
    EXPECT_EQ(window.configuration, nullptr);
    EXPECT_EQ(harness.controls.paneText(), "ini文件[" + path + "]不存在\r\n");
}

TEST_F(FileIntake, LongDroppedPathIsKeptWhole) {
    std::string path = "/fw/" + std::string(300, 'x') + ".rom";
    window.OnDropFiles({path});
    EXPECT_EQ(window.romPath, path);
}

}  // namespace
}  // namespace tessorin::testing
