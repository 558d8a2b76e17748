// The suite runs under umockdev's preload library, which it arranges itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "emulator/fake_hidraw/umockdev_preload.h"
#include "tests/support/temp_folder.h"

int main(int argc, char** argv) {
    // Before the start under the preload, so the suite and every program it starts take it.
    const std::string suppressions = (std::filesystem::path(__FILE__).parent_path() / "lsan.supp").string();
    setenv("LSAN_OPTIONS", ("suppressions=" + suppressions).c_str(), 0);
    tessorin::emulator::runUnderUmockdevPreload(argv);
    // Every suite process serves boards named TSB0001...: their locks stay apart
    // from those of the suites running beside it, and of a real bench.
    tessorin::testing::TempFolder locks("board_locks");
    setenv("TESSORIN_LOCK_DIR", locks.path("").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
