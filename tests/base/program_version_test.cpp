#include "base/program_version.h"

#include <gtest/gtest.h>

namespace tessorin {
namespace {

// The caption keeps the seed's bytes; --version shows the same number, and a
// build between releases its git description after it, never in the caption.
TEST(ProgramVersion, CaptionAndVersionLineShowOneVersion) {
    EXPECT_STREQ(programCaption(), "Tessorin V2.4.6");
    EXPECT_EQ(versionLine("tessorin", ""), "tessorin 2.4.6\n");
    EXPECT_EQ(versionLine("tessorin-run", "v2.4.6-3-g0123456789-dirty"),
              "tessorin-run 2.4.6 (git v2.4.6-3-g0123456789-dirty)\n");
    const std::string built = versionLine("tessorin");
    EXPECT_TRUE(built == "tessorin 2.4.6\n" || built.starts_with("tessorin 2.4.6 (git ")) << built;
}

}  // namespace
}  // namespace tessorin
