// `tessorin --job FILE` on a fake board: each station process takes the next
// identity values from the job's SQLite store, and the chip gets them where
// the job says, in its byte order: patched into the image and written to RAM.
#include <gtest/gtest.h>

#include "base/child_process.h"
#include "store/store.h"
#include "tests/download/temp_code_file.h"
#include "tests/fake_hidraw/fake_board_test.h"

namespace tessorin::testing {
namespace {

constexpr uint16_t kChip = 0x6D10;
constexpr size_t kAddressOffset = 0x100;
constexpr uint32_t kSerialAddress = 0x4c20;

class JobStation : public FakeBoardTest {
protected:
    JobStation() : image_(imageBytes(4000)) {
        boards.addBoard(kChip);
        folder_.write("station.rom", bytePerLineText(image_));
        job_ = folder_.write("job.toml", R"(image = "station.rom"
store = "line.sqlite"

[[identity]]
name = "bd_addr"
source = "counter"
first = 0x001A7D0000FF
last = 0x001A7D000100
width = 6
show = "address"
target = "image"
offset = 0x100
low_water = 2

[[identity]]
name = "serial"
source = "counter"
first = 1000
last = 2000
width = 4
byte_order = "big"
show = "decimal"
target = "memory"
address = 0x4c20
)");
    }

    // The program's exit status; its lines in output.
    int run(const std::vector<std::string>& arguments, std::string* output = nullptr) {
        ChildProcess program(programBeside("tessorin"), arguments);
        EXPECT_TRUE(program.started()) << program.problem();
        for (std::string line; program.readLine(line);)
            if (output) *output += line + "\n";
        return program.wait();
    }

    std::vector<uint8_t> imageWith(size_t offset, const std::vector<uint8_t>& bytes) const {
        std::vector<uint8_t> image = image_;
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
        return image;
    }

    std::vector<uint8_t> ram(uint32_t address, size_t count) {
        return boards.withChip(0, [&](emulator::ChipModel& chip) {
            std::vector<uint8_t> bytes;
            for (size_t i = 0; i < count; ++i) bytes.push_back(chip.peek(address + static_cast<uint32_t>(i)));
            return bytes;
        });
    }

    std::vector<uint8_t> codeLoad() {
        return boards.withChip(0, [](emulator::ChipModel& chip) { return chip.codeLoad(); });
    }

    TempFolder folder_{"job_station"};
    std::vector<uint8_t> image_;
    std::string job_;
};

TEST_F(JobStation, EachChipGetsTheNextValuesUntilThePoolRunsOut) {
    const std::string store = folder_.path("line.sqlite");
    std::string output;
    ASSERT_EQ(run({"--job", job_, "--count", "1"}, &output), 0) << output;
    EXPECT_NE(output.find("identity: only 1 values of bd_addr are left (low water)"), std::string::npos) << output;
    EXPECT_TRUE(codeLoad() == imageWith(kAddressOffset, {0xFF, 0x00, 0x00, 0x7D, 0x1A, 0x00}));
    EXPECT_EQ(ram(kSerialAddress, 4), (std::vector<uint8_t>{0x00, 0x00, 0x03, 0xE8}));

    boards.detachChip(0);
    boards.attachChip(0, kChip);
    ASSERT_EQ(run({"--job", job_, "--count", "1"}, &output), 0) << output;
    EXPECT_TRUE(codeLoad() == imageWith(kAddressOffset, {0x00, 0x01, 0x00, 0x7D, 0x1A, 0x00}));
    EXPECT_EQ(ram(kSerialAddress, 4), (std::vector<uint8_t>{0x00, 0x00, 0x03, 0xE9}));

    // The address block is used up: the station stops before it touches the next chip.
    boards.detachChip(0);
    boards.attachChip(0, kChip);
    output.clear();
    EXPECT_EQ(run({"--job", job_, "--count", "1"}, &output), 3);
    EXPECT_NE(output.find("identity: the pool of bd_addr has no value left; the station stops before the next chip"),
              std::string::npos)
        << output;
    EXPECT_TRUE(codeLoad().empty());

    output.clear();
    ASSERT_EQ(run({"results", "--store", store, "find", "00:1a:7d:00:01:00"}, &output), 0);
    EXPECT_NE(output.find("bd_addr  0x1A7D000100  committed"), std::string::npos) << output;
    output.clear();
    ASSERT_EQ(run({"results", "--store", store, "pools"}, &output), 0);
    EXPECT_NE(output.find("bd_addr  counter  2       2          0     0     0"), std::string::npos) << output;
    EXPECT_NE(output.find("serial   counter  2       2          0     0     999"), std::string::npos) << output;
    EXPECT_EQ(store::Store::open(store)->connection().run("SELECT ended_how FROM stations ORDER BY id"),
              (store::SqlRows{{"count reached"}, {"count reached"}, {"pool exhausted"}}));
}

TEST_F(JobStation, ABadJobFileIsRefusedBeforeAnyChipIsTouched) {
    const std::string bad = folder_.write("bad.toml", "image = \"station.rom\"\nimage_offset = 3\n");
    std::string output;
    EXPECT_EQ(run({"--job", bad}, &output), 2);
    EXPECT_EQ(output, "tessorin: " + bad + ":2: unknown key \"image_offset\"\n");
    EXPECT_TRUE(codeLoad().empty());
}

}  // namespace
}  // namespace tessorin::testing
