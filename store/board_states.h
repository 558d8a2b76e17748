#pragma once
// What each board of the line is doing now, as its station publishes it and
// the dashboard reads it: one row per board, overwritten, never a history.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/store.h"

namespace tessorin::store {

// Migration 2: the board_states table, and the indexes the dashboard counts on: the
// chips of an hour, and the chips by result and reason.
extern const std::string_view kBoardStatesMigration;

struct BoardState {
    std::string board;
    int64_t station = 0;
    std::string state;  // waiting, handshake, downloading, done, failed, gone
    int64_t percent = 0;
    std::string chip;  // the chip id in hand, empty when none
    std::string lastResult;  // success, fail, or empty before the first chip
    std::string lastReason;
    int64_t sinceMs = 0;  // read only: milliseconds since the station last wrote the row
};

// One statement, its own transaction: the row of the board, the heartbeat now.
void publishBoardState(Store& store, const BoardState& state);
// Every board's row, by board.
std::vector<BoardState> boardStates(Store& store);

}  // namespace tessorin::store
