#pragma once
// Device tests run the real host code against the board emulator on a virtual clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/hid_link.h"
#include "emulator/emulator_session.h"

namespace tessorin::testing {

class EmulatedLinkTest : public ::testing::Test {
protected:
    // Opens HidLink on the first board and starts a clean trace.
    void openLink() {
        setHidLink(openDownloadBoard());
        ASSERT_TRUE(hidLinkOpen());
        board.clearTrace();
    }

    emulator::EmulatorSession session;
    emulator::BoardEmulator& board = session.emulator;
};

// "aa bb ..." for count bytes counting up from first, as the trace shows data.
inline std::string countingBytes(int first, int count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < count; ++i) {
        const int value = (first + i) & 0xFF;
        if (i) text += ' ';
        text += kDigits[value >> 4];
        text += kDigits[value & 0x0F];
    }
    return text;
}

inline std::vector<uint8_t> countingData(int count) {
    std::vector<uint8_t> data;
    for (int i = 0; i < count; ++i) data.push_back(static_cast<uint8_t>(i));
    return data;
}

}  // namespace tessorin::testing
