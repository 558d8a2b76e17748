#pragma once
// A fresh emulated world for one test or one runner script: a virtual clock and
// the board emulator installed as the process's clock and HID transport, HidLink
// closed, the chip-id cache forgotten and no board chosen, as at process start. Everything is
// put back when the session ends. One session at a time.
#include "base/clock.h"
#include "emulator/board_emulator.h"

namespace tessorin::emulator {

class EmulatorSession {
public:
    EmulatorSession();
    ~EmulatorSession();
    EmulatorSession(const EmulatorSession&) = delete;
    EmulatorSession& operator=(const EmulatorSession&) = delete;

    VirtualClock clock;
    BoardEmulator emulator;

private:
    ScopedClock scopedClock_{clock};
};

}  // namespace tessorin::emulator
