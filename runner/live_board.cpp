#include "runner/live_board.h"

#include "device/chip_id_cache.h"
#include "device/hid_link.h"

namespace tessorin::runner {

LiveBoard::LiveBoard() : underlying_(hidTransport()), recorder_(underlying_) {
    closeHidLink();
    resetChipIdCache();
    setHidTransport(&recorder_);
}

LiveBoard::~LiveBoard() {
    closeHidLink();
    setHidTransport(&underlying_);
}

}  // namespace tessorin::runner
