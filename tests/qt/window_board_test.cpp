// The window's buttons pressed with the mouse, with the board emulator behind
// the HID transport: what reaches the wire and the chip, and what the pane shows.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QProgressBar>

#include "app/control_ids.h"
#include "app/window_progress.h"
#include "emulator/emulator_session.h"
#include "tests/app/panel_ini.h"
#include "tests/support/temp_folder.h"
#include "tests/download/temp_code_file.h"
#include "tests/qt/qt_window_session.h"
#include "runner/log_capture.h"

namespace tessorin::testing {
namespace {

constexpr uint16_t kChipId = 0x3C05;
const std::string kBanner = std::string(52, '-') + "\n";

struct BoardAndWindow {
    BoardAndWindow() { board = emulator.emulator.addBoard(kChipId); }
    uint8_t chipByte(uint32_t address) {
        return emulator.emulator.withChip(board, [&](emulator::ChipModel& chip) { return chip.peek(address); });
    }

    emulator::EmulatorSession emulator;
    runner::LogCapture log;
    TempFolder dir;
    int board = -1;
    QtWindowSession session;
};

TEST(QtWindowBoard, FrequencySelectPutsTheWriteOnTheWireAndSuccessInThePane) {
    BoardAndWindow world;
    world.session.run([&] {
        world.session.drop({world.dir.write("panel.ini", panelIni(1))});
        world.session.itemAs<QComboBox>(1019)->setCurrentIndex(5);
        world.emulator.emulator.clearTrace();
        world.session.click(1015);
        EXPECT_EQ(world.emulator.emulator.trace(),
                  "> f2 18 00 80\n< 02\n"       // handshake
                  "> f2 16 01 40 00 05\n"       // register 0x40 := entry 5's value
                  "> f2 14 01 40\n< 05\n");     // read back
        EXPECT_EQ(world.chipByte(0x40), 5);
        EXPECT_EQ(world.session.pane(), kBanner + "set [freq] success!\n");
        EXPECT_NE(world.log.maskedText().find("cmd:[e 0040 5]"), std::string::npos) << world.log.maskedText();
        EXPECT_EQ(world.emulator.emulator.openHandles(), 0);
    });
}

TEST(QtWindowBoard, ConfiguredButtonsActUpToTheRoutingLimit) {
    BoardAndWindow world;
    world.session.run([&] {
        world.session.drop({world.dir.write("panel.ini", panelIni(52))});
        world.session.itemAs<QComboBox>(kConfiguredComboBaseId)->setCurrentIndex(1);
        world.session.click(kConfiguredButtonBaseId);
        EXPECT_EQ(world.chipByte(0x70), 2);
        EXPECT_EQ(world.session.pane(), kBanner + "set [Set 1] success!\n");

        // Row 52's button (1375) is past the routed range: pressing it does nothing.
        ASSERT_NE(world.session.item(1375), nullptr);
        const std::string logBefore = world.log.text();
        world.session.click(1375);
        EXPECT_EQ(world.session.pane(), kBanner + "set [Set 1] success!\n");
        EXPECT_EQ(world.log.text(), logBefore);
    });
}

TEST(QtWindowBoard, DownloadButtonRunsTheWorkerWhoseReportsReachThePane) {
    BoardAndWindow world;
    const std::vector<uint8_t> image = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27};
    TempCodeFile file(bytePerLineText(image), "firmware.rom");
    world.session.run([&] {
        world.session.click(kDownloadButtonId);
        EXPECT_EQ(world.session.pane(), kBanner + paneLineOf(msgSelectRomFirst));

        world.session.drop({file.path()});
        world.session.click(kDownloadButtonId);
        EXPECT_EQ(world.session.workers().started(), 1);
        // The worker's appends are carried out on this thread, as it serves the window.
        EXPECT_TRUE(serveUntil([&] { return !world.session.window().downloadBusy.load(); }));
        world.session.workers().waitAll();
        EXPECT_EQ(world.session.pane(), kBanner + paneLineOf(msgSelectRomFirst) + kBanner + paneLineOf(msgDownloading) +
                                            paneLineOf(msgDownloadSuccess) + paneLineOf(msgDownloadFinish) +
                                            "set [download rom file] success!\n");
        EXPECT_EQ(world.emulator.emulator.withChip(world.board, [](emulator::ChipModel& chip) { return chip.codeLoad(); }),
                  image);
    });
}

TEST(QtWindowBoard, DownloadFillsTheProgressBarAndANewDownloadEmptiesIt) {
    BoardAndWindow world;
    TempCodeFile file(bytePerLineText(std::vector<uint8_t>(600, 0x5A)), "firmware.rom");
    world.session.run([&] {
        auto* bar = world.session.itemAs<QProgressBar>(kDownloadProgressId);
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->value(), 0);
        auto downloadOf = [&](const std::string& path) {
            world.session.drop({path});
            world.session.click(kDownloadButtonId);
            EXPECT_TRUE(serveUntil([&] { return !world.session.window().downloadBusy.load(); }));
            world.session.workers().waitAll();
        };
        downloadOf(file.path());
        EXPECT_TRUE(serveUntil([&] { return bar->value() == 100; })) << bar->value();
        downloadOf(world.dir.path("missing.rom"));
        EXPECT_TRUE(serveUntil([&] { return bar->value() == 0; })) << bar->value();
    });
}

}  // namespace
}  // namespace tessorin::testing
