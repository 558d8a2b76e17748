#include <cstdint>
#include <vector>

#include "base/format.h"
#include "download/dat_download.h"
#include "download/rom_download.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"
#include "runner/log_capture.h"

namespace tessorin::testing {
namespace {

using HidrawDownload = FakeBoardTest;

TEST_F(HidrawDownload, RomImageReachesTheCodeLoadPortByteExact) {
    const int board = boards.addBoard(0x6D10);
    const std::vector<uint8_t> image = imageBytes(5000);
    TempCodeFile file(bytePerLineText(image));
    runner::LogCapture log;
    openLink();
    ASSERT_TRUE(download::downloadRomImage(file.path()));
    EXPECT_EQ(boards.withChip(board, [](emulator::ChipModel& chip) { return chip.codeLoad(); }), image);
}

class HidrawDatDownload : public FakeBoardTest, public ::testing::WithParamInterface<uint16_t> {};

TEST_P(HidrawDatDownload, ImageReachesTheEepromByteExact) {
    const int board = boards.addBoard(GetParam());
    const std::vector<uint8_t> image = imageBytes(1000);
    TempCodeFile file(bytePerLineText(image), "image.dat");
    runner::LogCapture log;
    openLink();
    ASSERT_TRUE(download::downloadDatImage(file.path()));
    EXPECT_EQ(boards.withChip(board, [](emulator::ChipModel& chip) { return chip.eeprom().bytes(0, 1000); }), image);
}

// 0x5B21 stages its pages above 0x20000: the three-byte address form crosses too.
INSTANTIATE_TEST_SUITE_P(ChipFamilies, HidrawDatDownload, ::testing::Values(0x6D10, 0x5B21),
                         [](const ::testing::TestParamInfo<uint16_t>& chip) { return formatText("Chip%04X", {chip.param}); });

}  // namespace
}  // namespace tessorin::testing
