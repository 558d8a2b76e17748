// The suite runs under umockdev's preload library, which it arranges itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "emulator/fake_hidraw/umockdev_preload.h"

int main(int argc, char** argv) {
    // Before the start under the preload, so the suite and every program it starts take it.
    const std::string suppressions = (std::filesystem::path(__FILE__).parent_path() / "lsan.supp").string();
    setenv("LSAN_OPTIONS", ("suppressions=" + suppressions).c_str(), 0);
    tessorin::emulator::runUnderUmockdevPreload(argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
