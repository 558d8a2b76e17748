#include "emulator/emulator_session.h"

#include "device/board_choice.h"
#include "device/chip_id_cache.h"
#include "device/hid_link.h"

namespace tessorin::emulator {

EmulatorSession::EmulatorSession() {
    closeHidLink();
    setHidTransport(&emulator);
    resetChipIdCache();
    chooseBoard({});
}

EmulatorSession::~EmulatorSession() {
    closeHidLink();
    setHidTransport(nullptr);
    chooseBoard({});
}

}  // namespace tessorin::emulator
