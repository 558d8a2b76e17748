#include <gtest/gtest.h>

#include "job/identity_value.h"
#include "job/job.h"
#include "tests/support/temp_folder.h"

namespace tessorin::job {
namespace {

constexpr const char* kAddress = R"(
[[identity]]
name = "bd_addr"
source = "counter"
first = 0x001A7D000000
last = 0x001A7DFFFFFF
width = 6
show = "address"
target = "image"
offset = 0x1F0
)";

struct Refused {
    const char* job;
    const char* problem;  // after "job.toml:"
};

class JobRefusals : public ::testing::TestWithParam<Refused> {};

TEST_P(JobRefusals, NameTheLineAndTheReason) {
    std::string problem;
    EXPECT_FALSE(parseJob(GetParam().job, "job.toml", problem));
    EXPECT_EQ(problem, std::string("job.toml:") + GetParam().problem);
}

const Refused kRefusals[] = {
    {"image = \"a.rom\"\nimag = 1\n", "2: unknown key \"imag\""},
    {"presets = []\n", "1: the job needs image"},
    {"image = 3\n", "1: image must be text in quotes"},
    {"image = \"a.rom\"\npresets = \"4c10 0102\"\n", "2: presets must be a list of texts: [\"4c10 0102\"]"},
    {"image = \"a.rom\n", "1: Error while parsing string: unescaped control characters other than TAB (U+0009) are explicitly prohibited"},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s\"\nsource = \"counter\"\nfirst = 1\nlast = 9\nwidth = 1\n"
     "target = \"memory\"\naddress = 0x4c20\ncolour = 1\n",
     "10: unknown key \"colour\""},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s\"\nsource = \"counter\"\nfirst = 1\nlast = 256\nwidth = 1\n"
     "target = \"memory\"\naddress = 0x4c20\n",
     "6: last must lie between 1 and 255"},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s\"\nsource = \"counter\"\nfirst = 9\nlast = 1\nwidth = 1\n"
     "target = \"memory\"\naddress = 0x4c20\n",
     "6: last must lie between 9 and 255"},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s\"\nsource = \"counter\"\nfirst = 1\nlast = 9\nwidth = 2\n"
     "target = \"memory\"\noffset = 3\n",
     "9: offset belongs to target = \"image\""},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s\"\nsource = \"list\"\nwidth = 2\ntarget = \"memory\"\naddress = 1\n",
     "2: the identity field needs file"},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s\"\nsource = \"table\"\n", "2: the identity field needs width"},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s\"\nsource = \"table\"\nwidth = 2\n",
     "4: source must be one of \"counter\", \"list\""},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s t\"\n", "3: name must be letters, digits, _ or -"},
    {"image = \"a.rom\"\n[[identity]]\nname = \"s\"\nsource = \"counter\"\nfirst = 1.5\n",
     "2: the identity field needs width"},
    // A refusal stays one line whatever the key or the character the parser saw.
    {"image = \"a.rom\"\n\"a\\nb\\u0001\" = 1\n", "2: unknown key \"a\\nb\\x01\""},
    {"image = \"a.rom\"\nx = i\n", "2: Error while parsing floating-point: expected 'inf', saw 'i\\n'"},
};
INSTANTIATE_TEST_SUITE_P(Job, JobRefusals, ::testing::ValuesIn(kRefusals));

TEST(JobOverlaps, RangesAndTargetsOfTwoFieldsMayNotOverlap) {
    const std::string serial = "\n[[identity]]\nname = \"serial\"\nsource = \"counter\"\nwidth = 6\ntarget = \"image\"\n";
    const std::pair<std::string, std::string> cases[] = {
        {serial + "first = 0x001A7DFFFFF0\nlast = 0x001A7E000000\noffset = 0\n",
         "job.toml:13: the range of serial overlaps the range of bd_addr (line 3)"},
        {serial + "first = 1\nlast = 9\noffset = 0x1F4\n",
         "job.toml:13: the bytes serial is written to overlap those of bd_addr (line 3)"},
    };
    for (const auto& [extra, expected] : cases) {
        std::string problem;
        EXPECT_FALSE(parseJob(std::string("image = \"a.rom\"\n") + kAddress + extra, "job.toml", problem));
        EXPECT_EQ(problem, expected);
    }
}

TEST(JobFiles, AreTakenFromTheJobFolderAndAMissingOneIsRefused) {
    testing::TempFolder folder("job");
    folder.write("a.rom", "0x00,0x01\n");
    folder.write("serials.txt", "# from the customer\n0x10\n\n12\n");
    const std::string list = "[[identity]]\nname = \"s\"\nsource = \"list\"\nfile = \"serials.txt\"\nwidth = 1\n"
                             "target = \"memory\"\naddress = 0x4c20\n";
    const std::string path = folder.write("job.toml", "image = \"a.rom\"\nstore = \"line.sqlite\"\n" + list);
    std::string problem;
    const auto job = loadJob(path, problem);
    ASSERT_TRUE(job) << problem;
    EXPECT_EQ(job->image, folder.path("a.rom"));
    EXPECT_EQ(job->store, folder.path("line.sqlite"));
    EXPECT_EQ(job->fields.at(0).listValues, (std::vector<int64_t>{0x10, 12}));
    EXPECT_EQ(job->sha256.size(), 64u);

    folder.write("serials.txt", "0x10\n0x100\n");
    EXPECT_FALSE(loadJob(path, problem));
    EXPECT_EQ(problem, folder.path("serials.txt") + ":2: \"0x100\" is not a number of 1 bytes");
    const std::string noImage = folder.write("other.toml", "image = \"gone.rom\"\n");
    EXPECT_FALSE(loadJob(noImage, problem));
    EXPECT_EQ(problem, noImage + ":1: cannot read the image " + folder.path("gone.rom"));
    EXPECT_FALSE(loadJob(folder.path("none.toml"), problem));
}

TEST(IdentityValues, TakeTheFieldsWidthOrderAndShow) {
    IdentityField field;
    field.width = 6;
    field.shown = Shown::Address;
    EXPECT_EQ(shownValue(field, 0x001A7D000102), "00:1A:7D:00:01:02");
    EXPECT_EQ(valueBytes(field, 0x001A7D000102), (std::vector<uint8_t>{0x02, 0x01, 0x00, 0x7D, 0x1A, 0x00}));
    field.order = ByteOrder::Big;
    field.width = 3;
    field.shown = Shown::Hex;
    EXPECT_EQ(valueBytes(field, 0x0A0B0C), (std::vector<uint8_t>{0x0A, 0x0B, 0x0C}));
    EXPECT_EQ(shownValue(field, 0x0A0B0C), "0A0B0C");
    field.shown = Shown::Decimal;
    EXPECT_EQ(shownValue(field, 0x0A0B0C), "658188");
}

}  // namespace
}  // namespace tessorin::job
