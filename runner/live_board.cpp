#include "runner/live_board.h"

#include "device/board_choice.h"
#include "device/chip_id_cache.h"
#include "device/hid_link.h"

namespace tessorin::runner {

LiveBoard::LiveBoard(const std::string& boardId)
    : underlying_(hidTransport()), earlierChoice_(chosenBoard()), recorder_(underlying_) {
    closeHidLink();
    chooseBoard(boardId);
    resetChipIdCache();
    setHidTransport(&recorder_);
}

LiveBoard::~LiveBoard() {
    closeHidLink();
    setHidTransport(&underlying_);
    chooseBoard(earlierChoice_);
}

}  // namespace tessorin::runner
