// The suite runs under umockdev's preload library, which it arranges itself.
#include <gtest/gtest.h>

#include "emulator/fake_hidraw/umockdev_preload.h"

int main(int argc, char** argv) {
    tessorin::emulator::runUnderUmockdevPreload(argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
