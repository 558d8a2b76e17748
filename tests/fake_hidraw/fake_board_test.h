#pragma once
// The platform transport (hidapi over hidraw) against fake boards in a umockdev
// testbed: real time, real udev and sysfs look-ups, real device nodes.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/program_path.h"
#include "device/hid_link.h"
#include "emulator/fake_hidraw/fake_hidraw_boards.h"

namespace tessorin::testing {

class FakeBoardTest : public ::testing::Test {
protected:
    void openLink() {
        setHidLink(openDownloadBoard());
        ASSERT_TRUE(hidLinkOpen());
    }

    emulator::FakeHidrawBoards boards;
};

// A request whose bytes from byte 1 on are given; byte 0 is left for writePacket.
inline DevicePacket requestOf(std::initializer_list<uint8_t> fromByte1) {
    DevicePacket packet;
    int at = 1;
    for (uint8_t byte : fromByte1) packet[at++] = byte;
    return packet;
}

// Image bytes that differ from one another, the same on every run.
inline std::vector<uint8_t> imageBytes(size_t count) {
    std::vector<uint8_t> bytes;
    uint32_t state = 0x2545F491;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes.push_back(static_cast<uint8_t>(state >> 24));
    }
    return bytes;
}

// A program built beside the suite.
inline std::string programBeside(const std::string& name) { return folderOfPath(currentProgramPath()) + "/" + name; }

inline DevicePacket handshakeRequest() { return requestOf({0x18, 0x00, 0x80, 0x00}); }

// One request and its reply; true when the chip answered the handshake.
inline bool handshakeAnswered() {
    DevicePacket packet = handshakeRequest();
    return writePacket(packet) && readPacket(packet) && packet[1] == 2;
}

}  // namespace tessorin::testing
